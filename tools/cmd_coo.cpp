// omtool coo: information on coordinate files and conversion between column formats and units.
#include "omtool.h"

#include <om/geodesy/units.h>
#include <om/points/point_list.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace {

using om::eOmPointRWMask;
using om::eOmUnit;
using Mask = om::TOmFormatTable<eOmPointRWMask>;

char const kName[] = "coo";

// "1,10,11,12" -> the format; nullopt for an empty list or a code outside 1..107.
std::optional<Mask> ParseCodes(std::string const& text) {
    std::vector<eOmPointRWMask> codes;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t const comma = std::min(text.find(',', pos), text.size());
        std::string const item = text.substr(pos, comma - pos);
        if (item.empty() || item.size() > 3 ||
            item.find_first_not_of("0123456789") != std::string::npos)
            return std::nullopt;
        int const code = std::stoi(item);
        if (code < 1 || code > 107) return std::nullopt;
        codes.push_back(static_cast<eOmPointRWMask>(code));
        pos = comma + 1;
    }
    codes.push_back(om::OmPointRWEnd);
    return Mask(codes.data());
}

std::optional<eOmUnit> ParseUnit(std::string const& text) {
    struct Named {
        char const* name;
        eOmUnit unit;
    };
    static Named const names[] = {{"mm", om::OmUnitMillimetre}, {"cm", om::OmUnitCentimetre},
                                  {"m", om::OmUnitMetre},       {"um", om::OmUnitMicrometre},
                                  {"ft", om::OmUnitFoot},       {"in", om::OmUnitInch}};
    for (Named const& n : names)
        if (text == n.name) return n.unit;
    return std::nullopt;
}

// Value of --name in args (removed from args with it); nullopt when absent.
std::optional<std::string> TakeOption(omtool::Args& args, std::string const& name) {
    auto it = std::find(args.begin(), args.end(), name);
    if (it == args.end()) return std::nullopt;
    if (it + 1 == args.end()) return std::string();
    std::string value = *(it + 1);
    args.erase(it, it + 2);
    return value;
}

int Info(omtool::Args args) {
    auto const format_text = TakeOption(args, "--format");
    if (args.size() != 1 || !format_text)
        return omtool::UsageError(kName, "info needs FILE and --format CODES");
    auto const format = ParseCodes(*format_text);
    if (!format) return omtool::UsageError(kName, "bad column codes '" + *format_text + "'");
    om::OmPointList list;
    if (list.ReadFile(args[0].c_str(), *format) == 0) {
        std::fprintf(stderr, "omtool coo: no points read from '%s'\n", args[0].c_str());
        return 1;
    }
    unsigned lo = std::numeric_limits<unsigned>::max(), hi = 0;
    double min[3] = {1e308, 1e308, 1e308}, max[3] = {-1e308, -1e308, -1e308};
    int count = 0, control = 0;
    for (om::OmPoint* p = list.First(); p != nullptr; p = p->Next()) {
        ++count;
        lo = std::min(lo, p->GetId());
        hi = std::max(hi, p->GetId());
        double const v[3] = {p->x, p->y, p->z};
        for (int k = 0; k < 3; ++k)
            min[k] = std::min(min[k], v[k]), max[k] = std::max(max[k], v[k]);
        if (p->GetControlFlags() != 0) ++control;
    }
    std::printf("points:         %d\n", count);
    std::printf("id range:       %u .. %u\n", lo, hi);
    std::printf("bounding box:   x %.4f .. %.4f\n", min[0], max[0]);
    std::printf("                y %.4f .. %.4f\n", min[1], max[1]);
    std::printf("                z %.4f .. %.4f\n", min[2], max[2]);
    std::printf("control points: %d\n", control);
    for (om::OmPoint* p = list.First(); p != nullptr; p = p->Next()) {
        if (p->GetControlFlags() == 0) continue;
        om::String const& name = p->GetName();
        std::printf("  %-10u %-4s %s\n", p->GetId(), p->GetControlFlagsAsXYZ(),
                    name.empty() ? "" : name.chars());
    }
    return 0;
}

int Convert(omtool::Args args) {
    auto const in_text = TakeOption(args, "--in-format");
    auto const out_text = TakeOption(args, "--out-format");
    auto const unit_text = TakeOption(args, "--unit");
    if (args.size() != 2 || !in_text || !out_text)
        return omtool::UsageError(kName, "convert needs IN, OUT, --in-format and --out-format");
    auto const in_format = ParseCodes(*in_text);
    auto const out_format = ParseCodes(*out_text);
    if (!in_format || !out_format) return omtool::UsageError(kName, "bad column codes");
    eOmUnit from = om::OmUnitMetre, to = om::OmUnitMetre;
    if (unit_text) {
        std::size_t const colon = unit_text->find(':');
        auto const f = ParseUnit(unit_text->substr(0, colon));
        auto const t =
            colon == std::string::npos ? std::nullopt : ParseUnit(unit_text->substr(colon + 1));
        if (!f || !t)
            return omtool::UsageError(kName, "--unit wants FROM:TO of mm, cm, m, um, ft, in");
        from = *f, to = *t;
    }
    om::OmPointList list;
    int const n = list.ReadFile(args[0].c_str(), *in_format);
    if (n == 0) {
        std::fprintf(stderr, "omtool coo: no points read from '%s'\n", args[0].c_str());
        return 1;
    }
    for (om::OmPoint* p = list.First(); p != nullptr; p = p->Next()) {
        for (double* v : {&p->x, &p->y, &p->z, &p->dx, &p->dy, &p->dz})
            om::ConvertUnit(v, from, to);
    }
    if (list.WriteFile(args[1].c_str(), *out_format) == 0) {
        std::fprintf(stderr, "omtool coo: cannot write '%s'\n", args[1].c_str());
        return 1;
    }
    std::printf("%d points written to %s\n", n, args[1].c_str());
    return 0;
}

omtool::Register const reg{{
    kName,
    "coordinate files: summary and conversion",
    "usage: omtool coo info FILE --format CODES\n"
    "       omtool coo convert IN OUT --in-format CODES --out-format CODES [--unit FROM:TO]\n"
    "\n"
    "CODES are comma-separated column codes of a coordinate line, for instance 1,10,11,12\n"
    "(1 id, 2 quoted name, 3 id or name, 5 control code, 8 photo, 10-12 x y z, 13-15 dx dy dz).\n"
    "info prints the point count, id range, bounding box and control points.\n"
    "convert reads IN with one format and writes OUT with another, converting coordinates and\n"
    "deviations from unit FROM to unit TO (mm, cm, m, um, ft, in).",
    [](omtool::Args const& args) {
        if (args.empty()) return omtool::UsageError(kName, "missing job (info or convert)");
        omtool::Args rest(args.begin() + 1, args.end());
        if (args[0] == "info") return Info(rest);
        if (args[0] == "convert") return Convert(rest);
        return omtool::UsageError(kName, "unknown job '" + args[0] + "'");
    },
}};

}  // namespace
