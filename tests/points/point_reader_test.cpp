#include <om/core/link.h>
#include <om/points/id_table.h>
#include <om/points/point_list.h>
#include <om/textio/reader.h>
#include <om/textio/writer.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace om;
using Mask = TOmFormatTable<eOmPointRWMask>;

Mask Format(std::vector<int> codes) {
    std::vector<eOmPointRWMask> c;
    for (int k : codes) c.push_back(static_cast<eOmPointRWMask>(k));
    c.push_back(OmPointRWEnd);
    return Mask(c.data());
}

// A project file with a point block, an id table and a 2D id table, read through the keyword
// reader the way the records of a project read their blocks.
struct Project : LinkHdl {
    OmPointList points{Format({1, 2, 10, 11, 12})};
    OmIdTable ids;
    OmIdTable2D grid;
    int after = 0;

    long OnPoints(void* o) { return points.Read(static_cast<OmReaderObject*>(o)); }
    long OnIds(void* o) { return ids.Read(static_cast<OmReaderObject*>(o)); }
    long OnGrid(void* o) { return grid.Read(static_cast<OmReaderObject*>(o)); }

    int Read(char const* file) {
        OmReader reader(file);
        OmReaderObject p("POINTS", Link(this, &Project::OnPoints));
        OmReaderObject i("IDS", Link(this, &Project::OnIds));
        OmReaderObject g("GRID", Link(this, &Project::OnGrid));
        OmReaderObject a("AFTER", &after);
        reader.RegisterObject(p);
        reader.RegisterObject(i);
        reader.RegisterObject(g);
        reader.RegisterObject(a);
        reader.DoProcess(false);
        return reader.GetReadErrorCount();
    }
};

TEST(ProjectBlocks, WrittenBlocksReadBackThroughTheReader) {
    OmPointList points(Format({1, 2, 10, 11, 12}));
    for (unsigned id = 1; id <= 20; ++id) {
        auto* p = new OmPoint(id, id + 0.5, -2.0 * id, 0.125 * id, 0);
        p->SetName(String("Pt ") + String(static_cast<int>(id)));
        points.Add(p);
    }
    OmIdTable ids;
    for (unsigned v = 1; v <= 13; ++v) ids.Add(v * 3);
    OmIdTable2D grid(4, 2);
    grid.SetId(3, 1, 77);
    {
        std::ofstream out("project.txt");
        OmWriterReset();
        out << "POINTS " << OmBeginBlockNL;
        points.Write(out);
        out << OmEndBlockNL << Omendl << "IDS " << OmBeginBlockNL;
        ids.Write(out);
        out << OmEndBlockNL << Omendl << "GRID " << OmBeginBlockNL;
        grid.Write(out);
        out << OmEndBlockNL << Omendl << "AFTER 5" << Omendl;
    }
    Project project;
    EXPECT_EQ(project.Read("project.txt"), 0);
    EXPECT_EQ(project.points.Count(), 20);
    EXPECT_EQ(project.points.Last()->GetName(), "Pt 20");
    EXPECT_EQ(project.points.Last()->z, 2.5);
    EXPECT_TRUE(project.ids == ids);
    EXPECT_EQ(project.grid.GetId(3, 1), 77u);
    EXPECT_EQ(project.after, 5);  // the reader went on after the blocks
}

TEST(ProjectBlocks, HostileCountsAreRecordedNotTrusted) {
    {
        std::ofstream out("hostile.txt");
        out << "GRID { 65536 65536 1 2 3 }\nAFTER 9\n";
    }
    Project project;
    project.grid = OmIdTable2D(2, 2);
    EXPECT_GE(project.Read("hostile.txt"), 1);  // status 5 recorded
    EXPECT_EQ(project.grid.GetNx(), 2);         // the old table stays
}

}  // namespace
