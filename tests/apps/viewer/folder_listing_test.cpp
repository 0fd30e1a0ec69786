// A folder made by the test, listed as a file manager lists it.
#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "apps/viewer/FolderListing.h"
#include "sort/SortTypes.h"
#include "tests/support/list_fixture.h"

namespace glv::viewer {
namespace {

namespace fs = std::filesystem;

class FolderListing : public testing::Test {
protected:
    void SetUp() override {
        // A folder of the test's own: CTest runs the tests of this suite side by side.
        root_ = fs::path(GLV_TEST_OUT_DIR) /
                ("viewer-folder-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "Pictures");
        fs::create_directories(root_ / "archive");
        Write("notes.txt", 1, 2024, 3);
        Write("budget.xlsx", 1025, 2023, 12);
        Write("empty", 0, 2022, 1);
        Write("Report.PDF", 2'000'000, 2024, 1);
    }
    void TearDown() override { fs::remove_all(root_); }

    void Write(const std::string& name, std::size_t bytes, int year, int month) {
        std::ofstream(root_ / name, std::ios::binary) << std::string(bytes, 'x');
        // Modified on the 10th at noon of that month, local time.
        std::tm local{};
        local.tm_year = year - 1900;
        local.tm_mon = month - 1;
        local.tm_mday = 10;
        local.tm_hour = 12;
        local.tm_isdst = -1;
        const auto system = std::chrono::system_clock::from_time_t(std::mktime(&local));
        fs::last_write_time(root_ / name, std::chrono::file_clock::from_sys(system));
    }

    static std::string Names(const GlideListView& list) {
        std::string out;
        for (int32_t i = 1; i <= list.ItemCount(); ++i) out += (i > 1 ? " " : "") + list.ItemRecord(i).cLIText;
        return out;
    }

    fs::path root_;
};

TEST_F(FolderListing, FoldersFirstThenFilesWithSizesTypesAndDates) {
    std::string error;
    const std::vector<FolderEntry> entries = ReadFolder(root_, error);
    EXPECT_TRUE(error.empty());
    std::string names;
    for (const FolderEntry& entry : entries) names += entry.name + (entry.folder ? "/ " : " ");
    EXPECT_EQ(names, "../ Pictures/ archive/ Report.PDF budget.xlsx empty notes.txt ");

    test::ListFixture list(700, 300);
    ASSERT_TRUE(ShowFolder(*list, root_, 0, error)) << error;
    ASSERT_EQ(list->ItemCount(), 7);
    const tListItemInfo& report = list->ItemRecord(4);
    EXPECT_EQ(report.cLIText, "Report.PDF");
    EXPECT_EQ(report.cLIIconIndex, 1);
    EXPECT_EQ(list->SubItemRecord(4, 1).cSIText, "1 954 KB");
    EXPECT_EQ(list->SubItemRecord(4, 2).cSIText, "PDF document");
    EXPECT_EQ(list->SubItemRecord(4, 3).cSIText, "1/10/2024 12:00:00 PM");
    EXPECT_EQ(list->SubItemRecord(2, 1).cSIText, "");  // folders have no size
    EXPECT_EQ(list->SubItemRecord(2, 2).cSIText, "File folder");

    // Sizes as numbers (folders and the empty file tie at 0, in no set order among them).
    list->SortColumn(2, LVSortOrderAscending);
    EXPECT_TRUE(Names(*list).ends_with(" notes.txt budget.xlsx Report.PDF")) << Names(*list);
    // Dates as dates, newest first (the folders were made today); the parent row has none.
    list->SortColumn(4, LVSortOrderDescending);
    EXPECT_TRUE(Names(*list).ends_with(" notes.txt Report.PDF budget.xlsx empty ..")) << Names(*list);
}

TEST_F(FolderListing, AFolderThatCannotBeReadLeavesTheListAlone) {
    test::ListFixture list(700, 300);
    std::string error;
    ASSERT_TRUE(ShowFolder(*list, root_, 0, error));
    EXPECT_FALSE(ShowFolder(*list, root_ / "missing", 0, error));
    EXPECT_NE(error.find("cannot open the folder"), std::string::npos) << error;
    EXPECT_EQ(list->ItemCount(), 7);
}

TEST(FolderKinds, SizesAndKindsAsAFileManagerWritesThem) {
    struct SizeCase {
        uintmax_t bytes;
        const char* text;
    } sizes[] = {{0, "0 KB"}, {1, "1 KB"}, {1024, "1 KB"}, {1025, "2 KB"}, {1'048'576, "1 024 KB"},
                 {5'000'000'000, "4 882 813 KB"}};
    for (const SizeCase& c : sizes) EXPECT_EQ(SizeText(c.bytes), c.text) << c.bytes;

    struct KindCase {
        FolderEntry entry;
        int16_t icon;
        const char* type;
    } kinds[] = {
        {FolderEntry("docs", true), 4, "File folder"},   {FolderEntry("a.PNG"), 6, "PNG image"},  {FolderEntry("setup.exe"), 5, "Application"},
        {FolderEntry("data.csv"), 2, "CSV file"},        {FolderEntry("Makefile"), 8, "File"},    {FolderEntry(".bashrc"), 8, "File"},
        {FolderEntry("archive.tar.gz"), 8, "GZ file"},   {FolderEntry("letter.docx"), 7, "Word document"},
    };
    for (const KindCase& c : kinds) {
        const FileKind kind = KindOf(c.entry);
        EXPECT_EQ(kind.icon, c.icon) << c.entry.name;
        EXPECT_EQ(kind.type, c.type) << c.entry.name;
    }
}

}  // namespace
}  // namespace glv::viewer
