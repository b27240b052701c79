// Sorting the owning lists and arrays, next to the standard library on the same data in the
// same run: TOmListHeader::Sort and SortById against std::stable_sort of the ids, and against
// sorting by repeated SortedInsert (one sorted insertion per element, quadratic);
// TOmArray::Sort against std::sort.
#include <om/core/array.h>
#include <om/core/list_header.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

using om::OmListnode;
using List = om::TOmListHeader<OmListnode>;

std::vector<unsigned> RandomIds(int n) {
    std::mt19937 rng(12345);
    std::vector<unsigned> ids(static_cast<std::size_t>(n));
    for (unsigned& id : ids) id = rng() % 1000000u;
    return ids;
}

// Gives the list's elements the random ids again, in list order (not timed).
void Scramble(List& list, const std::vector<unsigned>& ids) {
    std::size_t k = 0;
    for (OmListnode* e : list) e->SetId(ids[k++]);
}

// One of the list's sorts on the random ids, scrambled again before every run.
template <class SortFn>
void ListSort(benchmark::State& state, SortFn sort) {
    const auto ids = RandomIds(static_cast<int>(state.range(0)));
    List list;
    for (unsigned id : ids) list.Add(new OmListnode(id));
    for (auto _ : state) {
        state.PauseTiming();
        Scramble(list, ids);
        state.ResumeTiming();
        benchmark::DoNotOptimize(sort(list));
    }
    state.SetComplexityN(state.range(0));
}

void BM_ListSort(benchmark::State& state) {
    ListSort(state, [](List& list) { return list.Sort(); });
}
void BM_ListSortById(benchmark::State& state) {
    ListSort(state, [](List& list) { return list.SortById(); });
}
BENCHMARK(BM_ListSort)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity();
BENCHMARK(BM_ListSortById)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity();

// The sorted-insertion algorithm that Sort must agree with, run literally.
void BM_ListRepeatedSortedInsert(benchmark::State& state) {
    const auto ids = RandomIds(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        List list;
        for (unsigned id : ids) list.SortedInsert(new OmListnode(id));
        benchmark::DoNotOptimize(list.First());
        state.PauseTiming();
        list.Destroy();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ListRepeatedSortedInsert)->RangeMultiplier(10)->Range(1000, 10000);

void BM_StdStableSortIds(benchmark::State& state) {
    const auto ids = RandomIds(static_cast<int>(state.range(0)));
    std::vector<unsigned> v;
    for (auto _ : state) {
        state.PauseTiming();
        v = ids;
        state.ResumeTiming();
        std::stable_sort(v.begin(), v.end(), std::greater<unsigned>());
        benchmark::DoNotOptimize(v.data());
    }
}
BENCHMARK(BM_StdStableSortIds)->RangeMultiplier(10)->Range(1000, 1000000);

std::vector<int> ArrayInput(int n, bool organ) {
    std::mt19937 rng(99);
    std::vector<int> v(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) v[i] = organ ? std::min(i, n - i) : static_cast<int>(rng());
    return v;
}

void ArraySort(benchmark::State& state, bool organ) {
    const auto input = ArrayInput(static_cast<int>(state.range(0)), organ);
    om::TOmArray<int> a;
    for (auto _ : state) {
        state.PauseTiming();
        a.Clear();
        for (int v : input) a.Add(v);
        state.ResumeTiming();
        a.Sort();
        benchmark::DoNotOptimize(a[0]);
    }
}
void BM_ArraySortRandom(benchmark::State& state) {
    ArraySort(state, false);
}
void BM_ArraySortOrganPipe(benchmark::State& state) {
    ArraySort(state, true);
}
BENCHMARK(BM_ArraySortRandom)->RangeMultiplier(10)->Range(1000, 1000000);
BENCHMARK(BM_ArraySortOrganPipe)->RangeMultiplier(10)->Range(1000, 1000000);

void BM_StdSortRandom(benchmark::State& state) {
    const auto input = ArrayInput(static_cast<int>(state.range(0)), false);
    std::vector<int> v;
    for (auto _ : state) {
        state.PauseTiming();
        v = input;
        state.ResumeTiming();
        std::sort(v.begin(), v.end());
        benchmark::DoNotOptimize(v.data());
    }
}
BENCHMARK(BM_StdSortRandom)->RangeMultiplier(10)->Range(1000, 1000000);

}  // namespace

BENCHMARK_MAIN();
