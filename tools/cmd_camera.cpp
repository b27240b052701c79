// omtool camera: check the inverse distortion tables of camera files, correct image coordinates.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <om/photo/camera.h>
#include <om/photo/camera_list.h>
#include <om/points/point_list.h>

#include "omtool.h"

namespace {

const char* const kName = "camera";

const char* ModeName(unsigned mode) {
    switch (mode) {
        case om::OmCamera::kModeOmri:
            return "Omri";
        case om::OmCamera::kModeViva:
            return "Viva";
        case om::OmCamera::kModeCap:
            return "CAP";
        case om::OmCamera::kModePinhole:
            return "Pinhole";
        default:
            return "unknown";
    }
}

bool ParseId(const std::string& text, unsigned* id) {
    char* end = nullptr;
    const unsigned long v = std::strtoul(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || text[0] == '-' || v == 0 || v > 0xFFFFFFFFul) return false;
    *id = static_cast<unsigned>(v);
    return true;
}

// The range the self-test covers when the camera sets none: the extent of its inverse table.
double DefaultRange(const om::OmCamera& cam) {
    if (cam.GetMode() == om::OmCamera::kModeOmri) return 30.0;
    if (cam.GetMode() == om::OmCamera::kModeViva) return 8.0;
    return 0.0;
}

int RunTest(const omtool::Args& args) {
    std::string file;
    unsigned id = 0;
    for (std::size_t k = 1; k < args.size(); ++k) {
        if (args[k] == "--id") {
            if (k + 1 >= args.size() || !ParseId(args[k + 1], &id))
                return omtool::UsageError(kName, "--id needs a camera identifier above 0");
            ++k;
        } else if (file.empty()) {
            file = args[k];
        } else {
            return omtool::UsageError(kName, "unexpected argument '" + args[k] + "'");
        }
    }
    if (file.empty()) return omtool::UsageError(kName, "test needs a camera file");
    om::OmCameraList list(file.c_str());
    if (list.IsEmpty()) {
        std::fprintf(stderr, "omtool camera: no camera read from '%s'\n", file.c_str());
        return 1;
    }
    int tested = 0;
    for (om::OmCamera* cam = list.First(); cam; cam = static_cast<om::OmCamera*>(cam->Next())) {
        if (id != 0 && cam->GetId() != id) continue;
        ++tested;
        std::printf("camera %u \"%s\" mode %u (%s): ", cam->GetId(), cam->GetName().chars(),
                    cam->GetMode(), ModeName(cam->GetMode()));
        if (cam->GetMode() > om::OmCamera::kModeCap) {
            std::printf("no distortion table\n");
            continue;
        }
        const om::OmInvAdjustTestResult r = cam->DbgTestInvAdjust(DefaultRange(*cam));
        if (r.points == 0) {
            std::printf("no range to test (RM not positive)\n");
            continue;
        }
        // The headline is the self-test's own maximum over every point; points that fall outside
        // the table keep their whole correction as difference.
        std::printf("largest Adjust -> InvAdjust difference %.3f um in x, %.3f um in y (%d points)",
                    r.maxDiffX * 1000.0, r.maxDiffY * 1000.0, r.points);
        if (r.notFound > 0) {
            std::printf("; %d points leave the table, without them %.3f um, %.3f um", r.notFound,
                        r.maxFoundDiffX * 1000.0, r.maxFoundDiffY * 1000.0);
        }
        std::printf("\n");
    }
    om::OmCamera::DeleteInvAdjustTables();
    if (tested == 0) {
        std::fprintf(stderr, "omtool camera: no camera with id %u in '%s'\n", id, file.c_str());
        return 1;
    }
    return 0;
}

// Image coordinate files hold an identifier and the measured x and y in millimetres per line.
const om::eOmPointRWMask kImageColumns[] = {om::OmPointRWId, om::OmPointRWX, om::OmPointRWY,
                                            om::OmPointRWEnd};

int RunCorrect(const omtool::Args& args) {
    std::vector<std::string> files;
    unsigned id = 0;
    for (std::size_t k = 1; k < args.size(); ++k) {
        if (args[k] == "--id") {
            if (k + 1 >= args.size() || !ParseId(args[k + 1], &id))
                return omtool::UsageError(kName, "--id needs a camera identifier above 0");
            ++k;
        } else {
            files.push_back(args[k]);
        }
    }
    if (files.size() != 3 || id == 0)
        return omtool::UsageError(kName, "correct needs CAMFILE --id N IN OUT");
    om::OmCameraList cameras(files[0].c_str());
    om::OmCamera* cam = cameras.Find(id);
    if (!cam) {
        std::fprintf(stderr, "omtool camera: no camera with id %u in '%s'\n", id, files[0].c_str());
        return 1;
    }
    const om::OmPointList::Mask columns(kImageColumns);
    om::OmPointList points;
    if (points.ReadFile(files[1].c_str(), columns) == 0) {
        std::fprintf(stderr, "omtool camera: no points read from '%s'\n", files[1].c_str());
        return 1;
    }
    int corrected = 0, total = 0;
    for (om::OmPoint* p = points.First(); p; p = p->Next(), ++total) corrected += cam->Adjust(p);
    if (points.WriteFile(files[2].c_str(), columns) == 0) {
        std::fprintf(stderr, "omtool camera: cannot write '%s'\n", files[2].c_str());
        return 1;
    }
    std::printf("%d of %d points corrected with camera %u (%s), written to %s\n", corrected, total,
                id, ModeName(cam->GetMode()), files[2].c_str());
    return corrected == total ? 0 : 1;
}

int Run(const omtool::Args& args) {
    if (args.empty()) return omtool::UsageError(kName, "missing job (test or correct)");
    if (args[0] == "test") return RunTest(args);
    if (args[0] == "correct") return RunCorrect(args);
    return omtool::UsageError(kName, "unknown job '" + args[0] + "'");
}

omtool::Register reg{
    {kName, "check camera distortion tables, correct image coordinates",
     "usage: omtool camera test CAMFILE [--id N]\n"
     "       omtool camera correct CAMFILE --id N IN OUT\n"
     "\n"
     "test     for every camera of CAMFILE (or only camera N), runs measured ->\n"
     "         corrected -> measured over a 0.5 mm grid of the camera's range (RM, or\n"
     "         the extent of its inverse table) and prints the largest difference in\n"
     "         micrometres. Points whose corrected position leaves the table are\n"
     "         counted, and the maximum including them (their whole correction) shown.\n"
     "correct  reads the coordinate file IN (lines: id x y, measured image\n"
     "         coordinates in mm), corrects every point with camera N (the result is\n"
     "         reduced to its principal point) and writes the coordinate file OUT in\n"
     "         the same columns. A pinhole camera leaves the points as they are and\n"
     "         the exit code is then 1.\n"
     "\n"
     "CAMFILE is a keyword camera file (CAMERA blocks) or a simple camera file.",
     Run}};

}  // namespace
