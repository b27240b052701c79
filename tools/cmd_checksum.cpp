// omtool checksum: CRC-32 and MD5 of files.
#include "omtool.h"

#include <om/platform/crc32.h>
#include <om/platform/md5.h>

#include <cstdio>
#include <fstream>
#include <vector>

namespace {

constexpr char kName[] = "checksum";

// Feeds the file through both checksums; false when it cannot be read to its end.
bool ChecksumFile(std::string const& path, om::OmCalcCRC32& crc, om::CMD5& md5) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::vector<char> buffer(1 << 20);
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        auto const n = static_cast<std::size_t>(in.gcount());
        crc.Crc(buffer.data(), n);
        md5.Update(buffer.data(), n);
    }
    return in.eof() && !in.bad();
}

int Run(omtool::Args const& args) {
    if (args.empty()) return omtool::UsageError(kName, "no FILE given");
    int status = 0;
    for (auto const& path : args) {
        om::OmCalcCRC32 crc;
        om::CMD5 md5;
        if (!ChecksumFile(path, crc, md5)) {
            std::fprintf(stderr, "omtool %s: cannot read '%s'\n", kName, path.c_str());
            status = 1;
            continue;
        }
        md5.Finalize();
        std::printf("%08x  %s  %s\n", static_cast<unsigned>(crc.GetCrc()),
                    md5.GetDigest().GetHexDigest(), path.c_str());
    }
    return status;
}

omtool::Register reg{{kName, "CRC-32 and MD5 checksums of files",
                      "usage: omtool checksum FILE...\n\n"
                      "Prints one line per file: the CRC-32 (8 hexadecimal digits), the MD5\n"
                      "digest (32 hexadecimal digits) and the file name, separated by two\n"
                      "blanks. A file that cannot be read is reported on stderr; the exit code\n"
                      "is then 1.",
                      Run}};

}  // namespace
