#include "exprwin/record_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/fakes.h"

namespace tobrisk {
namespace {

namespace fs = std::filesystem;

class RecordFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir =
            fs::temp_directory_path() /
            ("tobrisk-files-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        folder = dir.string() + "/";
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, ec);
        fs::remove_all(dir, ec);
    }

    AppServices services() { return AppServices{alerts, dialogs, clock, {}, folder, folder}; }

    static std::vector<char> read(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void write(const fs::path& p, const std::vector<char>& bytes) {
        std::ofstream out(p, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    std::vector<char> validRecordBytes() {
        DataRecord r;
        r.fillNew(NewRecordContext{});
        r.setSlot(layout::kDecimalPlaces, 3);
        return {r.bytes().begin(), r.bytes().end()};
    }

    fs::path dir;
    std::string folder;
    FakeAlerts alerts;
    FakeDialogs dialogs;
    FakeClock clock{encodeDateTime(2026, 12, 8, 10, 0, 0)};
};

TEST_F(RecordFilesTest, FirstStartWritesANewRecordFile) {
    DataRecord record;
    auto s = services();
    RecordFiles files(record, s);
    LoadOutcome o = files.loadAtStart(NewRecordContext{});
    EXPECT_TRUE(o.created);
    EXPECT_FALSE(o.keptBackup);
    auto bytes = read(dir / "Tbdata.dat");
    ASSERT_EQ(bytes.size(), 14664u);
    EXPECT_EQ(bytes[0], 7);
    EXPECT_EQ(std::string(&bytes[1], 7), "Tobrisk");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(RecordFilesTest, UntouchedRecordSavesBackTheSameBytes) {
    auto original = validRecordBytes();
    original[2499] = 0x5A;  // padding is carried
    write(dir / "Tbdata.dat", original);
    DataRecord record;
    auto s = services();
    RecordFiles files(record, s);
    EXPECT_FALSE(files.loadAtStart(NewRecordContext{}).created);
    EXPECT_TRUE(files.saveAtClose({}));
    EXPECT_EQ(read(dir / "Tbdata.dat"), original);
}

TEST_F(RecordFilesTest, LongerDataFileLoadsItsFirstRecord) {
    auto bytes = validRecordBytes();
    bytes.push_back('x');
    write(dir / "Tbdata.dat", bytes);
    DataRecord record;
    auto s = services();
    RecordFiles files(record, s);
    EXPECT_FALSE(files.loadAtStart(NewRecordContext{}).created);
    EXPECT_EQ(record.slot(layout::kDecimalPlaces), 3);
}

TEST_F(RecordFilesTest, UnreadableDataFileIsKeptAsBackupAndReportedOnce) {
    write(dir / "Tbdata.dat", std::vector<char>(100, 'q'));
    DataRecord record;
    auto s = services();
    RecordFiles files(record, s);
    LoadOutcome o = files.loadAtStart(NewRecordContext{});
    EXPECT_TRUE(o.created);
    EXPECT_TRUE(o.keptBackup);
    EXPECT_EQ(read(dir / "Tbdata.bak"), std::vector<char>(100, 'q'));
    EXPECT_EQ(read(dir / "Tbdata.dat").size(), 14664u);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].text.find("Tbdata.bak"), std::string::npos);
}

TEST_F(RecordFilesTest, SaveAtCloseRecreatesADeletedDataFile) {
    DataRecord record;
    auto s = services();
    RecordFiles files(record, s);
    files.loadAtStart(NewRecordContext{});
    fs::remove(dir / "Tbdata.dat");
    bool gathered = false;
    EXPECT_TRUE(files.saveAtClose([&] {
        gathered = true;
        record.setSlot(layout::kAutoSoma, 1);
    }));
    EXPECT_TRUE(gathered);
    auto bytes = read(dir / "Tbdata.dat");
    ASSERT_EQ(bytes.size(), 14664u);
    EXPECT_EQ(bytes[256 + 4 * 9], 1);
    EXPECT_FALSE(fs::exists(dir / "Tbdata.dat.tmp"));
}

TEST_F(RecordFilesTest, SaveAtCloseWritesOnlyWhatChanged) {
    write(dir / "Tbdata.dat", validRecordBytes());
    DataRecord record;
    auto s = services();
    RecordFiles files(record, s);
    files.loadAtStart(NewRecordContext{});
    // Any write would now fail (its temporary file cannot be made) and ask whether to quit.
    fs::create_directory(dir / "Tbdata.dat.tmp");
    EXPECT_TRUE(files.saveAtClose({}));
    EXPECT_TRUE(dialogs.messages.empty());
    dialogs.answers = {false};
    EXPECT_FALSE(files.saveAtClose([&] { record.setSlot(layout::kAutoSoma, 1); }));
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(RecordFilesTest, DataFileHeldElsewhereIsOnlyRead) {
    DataRecord record;
    auto s = services();
    RecordFiles files(record, s);
    files.setDataFileWritable(false);
    EXPECT_TRUE(files.loadAtStart(NewRecordContext{}).created);
    EXPECT_TRUE(files.saveAtClose([&] { record.setSlot(layout::kAutoSoma, 1); }));
    EXPECT_FALSE(fs::exists(dir / "Tbdata.dat"));

    write(dir / "Tbdata.dat", std::vector<char>(100, 'q'));  // not even a backup is made
    EXPECT_TRUE(files.loadAtStart(NewRecordContext{}).created);
    EXPECT_FALSE(fs::exists(dir / "Tbdata.bak"));
    EXPECT_EQ(read(dir / "Tbdata.dat"), std::vector<char>(100, 'q'));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(RecordFilesTest, FailedSaveAtCloseAsksWhetherToQuit) {
    DataRecord record;
    record.fillNew(NewRecordContext{});
    auto s = services();
    s.dataFolder = folder + "no/such/folder/";
    RecordFiles files(record, s);
    dialogs.answers = {false};
    EXPECT_FALSE(files.saveAtClose({}));  // Cancel: stay open
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].question);
    EXPECT_NE(dialogs.messages[0].text.find("Quit without saving?"), std::string::npos);
    dialogs.answers = {true};
    EXPECT_TRUE(files.saveAtClose({}));
}

struct OpenCase {
    const char* what;
    std::size_t size;
    bool validMagic;
    const char* message;  // empty: loads
};

class OpenTable : public RecordFilesTest, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(OpenTable, RefusesOrLoadsAsTheFileDeserves) {
    const auto& c = GetParam();
    auto bytes = validRecordBytes();
    if (!c.validMagic) bytes[1] = 'X';
    bytes.resize(c.size, 0);
    const fs::path file = dir / "config.dat";
    write(file, bytes);

    DataRecord record;
    record.fillNew(NewRecordContext{});
    const auto before = record.bytes();
    auto s = services();
    RecordFiles files(record, s);
    dialogs.openPaths = {file.string()};
    bool applied = false;
    bool loaded = files.open([&] { applied = true; });
    if (std::string(c.message).empty()) {
        EXPECT_TRUE(loaded) << c.what;
        EXPECT_TRUE(applied);
        EXPECT_EQ(record.slot(layout::kDecimalPlaces), 3);
        ASSERT_EQ(alerts.played.size(), 1u);
        EXPECT_EQ(alerts.played[0], AlertKind::Default);
        EXPECT_TRUE(dialogs.messages.empty());
    } else {
        EXPECT_FALSE(loaded) << c.what;
        EXPECT_FALSE(applied);
        EXPECT_EQ(record.bytes(), before);  // live state unchanged
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text, c.message + file.string());
        ASSERT_EQ(alerts.played.size(), 1u);
        EXPECT_EQ(alerts.played[0], AlertKind::Question);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, OpenTable,
    ::testing::Values(OpenCase{"one record", 14664, true, ""},
                      OpenCase{"one record and a short tail", 14665, true, ""},
                      OpenCase{"two records", 2 * 14664, true, "Unknown file format: "},
                      OpenCase{"wrong magic", 14664, false, "Unknown file format: "},
                      OpenCase{"short file", 100, true, "Impossible to read the file  "},
                      OpenCase{"empty file", 0, true, "Impossible to read the file  "}));

TEST_F(RecordFilesTest, OpenOfAMissingFileCannotOpenIt) {
    DataRecord record;
    auto s = services();
    RecordFiles files(record, s);
    dialogs.openPaths = {folder + "missing.dat"};
    EXPECT_FALSE(files.open({}));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Impossible to open the file  " + folder + "missing.dat");
}

TEST_F(RecordFilesTest, OpenDialogCarriesItsTexts) {
    DataRecord record;
    auto s = services();
    RecordFiles files(record, s);
    EXPECT_FALSE(files.open({}));  // cancelled
    EXPECT_FALSE(files.saveAs({}));
    ASSERT_EQ(dialogs.fileRequests.size(), 2u);
    EXPECT_EQ(dialogs.fileRequests[0].title, "Open a particular configuration of Tobrisk");
    EXPECT_EQ(dialogs.fileRequests[1].title, "Save a particular configuration of Tobrisk");
    for (const auto& r : dialogs.fileRequests) {
        EXPECT_EQ(r.defaultExtension, "dat");
        EXPECT_EQ(r.filter, "Tobrisk Data (*.dat)|*.dat|All Files (*.*)|*.*");
        EXPECT_EQ(r.startFolder, folder);
    }
}

TEST_F(RecordFilesTest, SaveAsOntoAnExistingFile) {
    DataRecord record;
    record.fillNew(NewRecordContext{});
    auto s = services();
    RecordFiles files(record, s);
    const fs::path file = dir / "old.dat";
    write(file, std::vector<char>(3 * 14664, 'z'));

    dialogs.savePaths = {file.string()};
    dialogs.answers = {false};
    EXPECT_FALSE(files.saveAs({}));
    EXPECT_EQ(read(file), std::vector<char>(3 * 14664, 'z'));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "File Saving");
    EXPECT_EQ(dialogs.messages[0].text,
              "File " + file.string() + "\r already exists. Want substitute?");

    dialogs.savePaths = {file.string()};
    dialogs.answers = {true};
    EXPECT_TRUE(files.saveAs({}));
    EXPECT_EQ(read(file).size(), 14664u);  // exactly one record: Open accepts it
    dialogs.openPaths = {file.string()};
    EXPECT_TRUE(files.open({}));
}

TEST(MoveEvents, EventsMoveToTheNextOccurrenceOfTheirTime) {
    DataRecord r;
    r.fillNew(NewRecordContext{});
    r.setCount(5);
    r.setKind(4, EntryKind::Event);
    r.setTime(4, encodeDateTime(2026, 12, 1, 9, 30, 0));
    r.setKind(5, EntryKind::Variable);
    r.setTime(5, 1.25);
    RecordFiles::moveEvents(r, encodeDateTime(2026, 12, 3, 10, 0, 0));
    EXPECT_NEAR(r.time(4), encodeDateTime(2026, 12, 4, 9, 30, 0), 1e-9);
    EXPECT_EQ(r.time(5), 1.25);  // not an event
    r.setTime(4, encodeDateTime(2026, 12, 1, 9, 30, 0));
    RecordFiles::moveEvents(r, encodeDateTime(2026, 12, 3, 8, 0, 0));
    EXPECT_NEAR(r.time(4), encodeDateTime(2026, 12, 3, 9, 30, 0), 1e-9);
}

}  // namespace
}  // namespace tobrisk
