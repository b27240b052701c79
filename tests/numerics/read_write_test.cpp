// Vectors and matrices written into a project-style file and read back through the keyword
// reader, what the readers do with damaged or hostile input, and the exact text formats.
#include <om/core/link.h>
#include <om/numerics/matrix.h>
#include <om/numerics/vector.h>
#include <om/sys/debug_output.h>
#include <om/textio/reader.h>

#include <fstream>
#include <locale>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace om {
namespace {

// Reads "VEC { ... }" into vec and "MAT { ... }" into mat, and keeps going after errors.
class Target : public LinkHdl {
  public:
    OmVector vec{1.0, 2.0, 3.0};
    OmMatrix mat{2, 2};

    long OnVector(void* arg) { return vec.Read(static_cast<OmReaderObject*>(arg)); }
    long OnMatrix(void* arg) { return mat.Read(static_cast<OmReaderObject*>(arg)); }
    long OnError(void*) { return 1; }

    int ReadFile(const std::string& name) {
        OmReader reader(name.c_str());
        OmReaderObject v("VEC", Link(this, &Target::OnVector));
        OmReaderObject m("MAT", Link(this, &Target::OnMatrix));
        reader.RegisterObject(v);
        reader.RegisterObject(m);
        reader.SetParserErrorHdl(Link(this, &Target::OnError));
        reader.DoProcess(true);
        return reader.GetReadErrorCount();
    }
};

std::string WriteFile(const std::string& name, const std::string& text) {
    std::ofstream(name) << text;
    return name;
}

TEST(NumericsReadWrite, RoundTripIsExact) {
    std::mt19937 rng(31);
    std::uniform_real_distribution<double> u(-1e6, 1e6);
    for (int n : {0, 1, 3, 4, 5, 17}) {
        OmVector v(n);
        for (int i = 1; i <= n; ++i) v[i] = u(rng) / 7.0;
        const int rows = n % 5 + 1, cols = n;
        OmMatrix m(rows, cols);
        for (int i = 1; i <= rows; ++i)
            for (int j = 1; j <= cols; ++j) m[i][j] = (i == j) ? 1e-300 * u(rng) : u(rng) / 3.0;

        std::ofstream out("roundtrip.txt");
        v.Write(out << "; values written by Write\nVEC {\n");
        m.Write(out << "\n}\nMAT {\n");
        out << "\n}\n";
        out.close();
        Target t;
        EXPECT_EQ(t.ReadFile("roundtrip.txt"), 0) << "n=" << n;
        EXPECT_EQ(t.vec, v) << "n=" << n;
        ASSERT_TRUE(t.mat.GetZeilen() == rows && t.mat.GetSpalten() == cols);
        for (int i = 1; i <= rows; ++i)
            for (int j = 1; j <= cols; ++j) EXPECT_EQ(t.mat[i][j], m[i][j]);
    }
}

// Hostile counts, damaged blocks and random bytes: an error is recorded, the old contents stay
// and nothing beyond the read limit is ever allocated.
TEST(NumericsReadWrite, HostileInputIsRejectedAndKeepsTheOldContents) {
    const std::vector<std::string> hostile = {
        "VEC { -1 }",                      // negative
        "VEC { 2147483647 1 2 }",          // would allocate 16 GiB
        "VEC { 1048577 1 }",               // just above the limit
        "VEC { 2.5 1 2 }",                 // not an integer
        "VEC { 5 1 2 }",                   // block ends before the values
        "MAT { 65536 65536 1 }",           // 2^32 elements: wraps to 0 in 32 bits
        "MAT { -3 -3 }",                   // negative
        "MAT { 1048576 2 1 }",             // product above the limit
        "MAT { 2 }",                       // missing dimension
        "MAT { 2 2 1 2 3 }",               // one value short
        "MAT { 3 3 1 2 3 { 4 } 5 6 7 8 }"  // a nested block is no value
    };
    for (const std::string& text : hostile) {
        Target t;
        t.mat[1][2] = 42.0;
        EXPECT_GE(t.ReadFile(WriteFile("hostile.txt", text + "\n")), 1) << text;
        EXPECT_EQ(t.vec, OmVector(1.0, 2.0, 3.0)) << text;
        ASSERT_TRUE(t.mat.GetZeilen() == 2 && t.mat.GetSpalten() == 2) << text;
        EXPECT_EQ(t.mat[1][2], 42.0) << text;
    }
    // Input that ends inside the values records no error at the end of the input; only the
    // contents tell.
    Target t;
    t.ReadFile(WriteFile("truncated.txt", "VEC { 3 1 2"));
    EXPECT_EQ(t.vec, OmVector(1.0, 2.0, 3.0));

    // An integer converts, a float stays, a keyword or a string reads as 0.
    EXPECT_EQ(t.ReadFile(WriteFile("tokens.txt", "VEC { 4 7 -2.5e1 word \"text\" }\n")), 0);
    EXPECT_EQ(t.vec, OmVector(7.0, -25.0, 0.0, 0.0));

    std::mt19937 rng(5);
    const std::string alphabet = "0123456789 -.e{}\n\"VECMAT";
    for (int trial = 0; trial < 100; ++trial) {
        std::string text = trial % 2 ? "VEC { " : "MAT { ";
        const int length = static_cast<int>(rng() % 60);
        for (int i = 0; i < length; ++i) text += alphabet[rng() % alphabet.size()];
        Target r;
        r.ReadFile(WriteFile("random.txt", text));
        EXPECT_LE(r.vec.GetSize(), OmVector::kMaxReadSize);
        EXPECT_LE(static_cast<long long>(r.mat.GetZeilen()) * r.mat.GetSpalten(),
                  OmMatrix::kMaxReadSize);
    }
}

struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(NumericsWrite, CountOrDimensionsThenExactValuesInTheClassicLocale) {
    std::ostringstream os;
    // A user locale with a decimal comma must not leak into the file format.
    os.imbue(std::locale(std::locale::classic(), new CommaDecimal));
    OmVector(0.1, -2.5e-300, 1e20, 3.0).Write(os);
    os << "|";
    const double values[] = {0.5, -1.0, 1e-7, 2.0, 3.0, 4.25};
    OmMatrix(values, 2, 3).Write(os);
    EXPECT_EQ(os.str(), "4 0.1 -2.5e-300 1e+20 3|2 3 0.5 -1 1e-07 2 3 4.25");
}

TEST(NumericsWrite, DbgPrintfLayout) {
    std::string captured;
    auto previous =
        sys::SetNarrowDebugSink([&captured](std::string_view text) { captured.append(text); });
    const double values[] = {1.0, -0.5, 123.25, 0.0};
    OmMatrix(values, 2, 2).DbgPrintf("matrix %d of %s", 7, "set");
    OmVector(3.0, -4.0, 0.0).DbgPrintf("v");
    OmVector(1).DbgPrintf(nullptr);
    OmVector big(1);
    big[1] = 1e308;  // fixed notation of the largest values must not overflow the line
    big.DbgPrintf("big");
    sys::SetNarrowDebugSink(previous);
    const std::string expected_first =
        "matrix 7 of set\n"
        "  1.0000000  -0.5000000 \n"
        "123.2500000   0.0000000 \n"
        "v 3.0000000   -4.0000000   0.0000000    (5.0000000)\n 0.0000000    (0.0000000)\n";
    ASSERT_EQ(captured.substr(0, expected_first.size()), expected_first);
    const std::string big_line = captured.substr(expected_first.size());
    const std::string digits = big_line.substr(4, big_line.find('.') - 4);
    EXPECT_EQ(digits.size(), 309u);
    EXPECT_EQ(big_line, "big " + digits + ".0000000    (" + digits + ".0000000)\n");
}

}  // namespace
}  // namespace om
