// Which files the scan takes, their lots and dates, its progress count, and folders it cannot read.

#include "snapshots/SnapshotScan.h"
#include "SnapshotFolder.h"

#include <gtest/gtest.h>

TEST(SnapshotScan, TakesSnapshotsByTheirLowerCasedNameAndLotsFromCharactersTenToSeventeen) {
    const struct {
        const char* name;
        bool accepted;
        const char* lot;
    } rows[] = {
        {"snapshot_4c1e9b07_00000001.jpg", true, "4c1e9b07"},
        {"Snapshot_LOTXYZ12_x.JPG", true, "LOTXYZ12"},
        {"snapshot.jpg", true, "jpg"},
        {"snapshot_ab.jpg", true, "ab.jpg"},
        {"snapshots.jpeg", false, ""},
        {"my_snapshot_1.jpg", false, ""},
        {"thumbnail_4c1e9b07_00000001.jpg", false, ""},
        {"snapshot_1.jpg.bak", false, ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(isSnapshotFileName(row.name), row.accepted) << row.name;
        if (row.accepted) {
            EXPECT_EQ(lotIdentifierOf(row.name), row.lot) << row.name;
        }
    }
    EXPECT_TRUE(isUnlinkedLot("00000q1z"));
    EXPECT_FALSE(isUnlinkedLot("0000q1z0"));
}

TEST(SnapshotScan, ListsInNameOrderWithLocalDatesAndLotsInOrderOfFirstAppearance) {
    SnapshotFolder folder;
    const long march2005 = 1110204309;
    for (const char* name : {"Storybook.xml", "thumbnail_lotxyz12_1.jpg", "snapshot_lotxyz12_2.jpg",
                             "snapshot_00000q1z_1.jpg", "Snapshot_LOTXYZ12_x.JPG", "snapshot_lotxyz12_1.jpg"})
        folder.touch(name, march2005);
    std::filesystem::create_directory(folder.file("snapshot_folder.jpg"));

    SnapshotScan scan;
    ASSERT_EQ(ScanSnapshotFolder(folder.folder(), scan), ScanOutcome::Complete);
    std::vector<std::string> names;
    for (const SnapshotRow& row : scan.strSnapshotArray)
        names.push_back(row.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Snapshot_LOTXYZ12_x.JPG", "snapshot_00000q1z_1.jpg",
                                               "snapshot_lotxyz12_1.jpg", "snapshot_lotxyz12_2.jpg"}));
    EXPECT_EQ(scan.strLotIDArray, (std::vector<std::string>{"lotxyz12", "00000q1z"}));

    const std::time_t time = march2005;
    const std::tm local = *std::localtime(&time); // the test's only thread
    char expected[32];
    std::strftime(expected, sizeof expected, "%Y/%m/%d %H:%M:%S", &local);
    EXPECT_EQ(scan.strSnapshotArray[0].date, expected);
    EXPECT_LT(dateText(946684799), dateText(march2005));
    EXPECT_EQ(countFolderFiles(folder.folder()), 6) << "every file, the subfolder not counted";
}

TEST(SnapshotScan, ProgressShowsTwoToFiftyThenEveryTwentySixthAndCanStop) {
    SnapshotFolder folder;
    for (int i = 0; i < 130; ++i)
        folder.touch("snapshot_4c1e9b07_" + std::to_string(1000 + i) + ".jpg");
    std::vector<int> shown;
    int calls = 0;
    SnapshotScan scan;
    ScanSnapshotFolder(folder.folder(), scan, [&](int count) {
        ++calls;
        if (count > 0)
            shown.push_back(count);
        return true;
    });
    EXPECT_EQ(calls, 129) << "told after every accepted file but the first";
    std::vector<int> expected;
    for (int k = 2; k <= 50; ++k)
        expected.push_back(k);
    expected.insert(expected.end(), {76, 102, 128});
    EXPECT_EQ(shown, expected);

    int left = 10;
    EXPECT_EQ(ScanSnapshotFolder(folder.folder(), scan, [&](int) { return --left > 0; }),
              ScanOutcome::Stopped);
}

TEST(SnapshotScan, AFolderThatCannotBeListedIsReportedAndEmptiesTheScan) {
    SnapshotScan scan;
    scan.strSnapshotArray.push_back({"snapshot_old.jpg", "2005/03/07 14:05:09"});
    const std::string gone = SnapshotFolder().folder(); // removed again at once
    EXPECT_EQ(ScanSnapshotFolder(gone, scan), ScanOutcome::FolderUnreadable);
    EXPECT_TRUE(scan.strSnapshotArray.empty());
    EXPECT_EQ(countFolderFiles(gone), std::nullopt);
}

TEST(SnapshotScan, FortyThousandSnapshotsAreAllListed) {
#ifdef _WIN32
    GTEST_SKIP() << "making 40,000 files takes minutes under Wine; the count is the same code everywhere";
#endif
    SnapshotFolder folder;
    for (int i = 0; i < 40000; ++i)
        folder.touch("snapshot_" + std::to_string(10000000 + i % 700) + "_" + std::to_string(i) + ".jpg");
    SnapshotScan scan;
    int lastShown = 0;
    ScanSnapshotFolder(folder.folder(), scan, [&](int count) {
        lastShown = std::max(lastShown, count);
        return true;
    });
    EXPECT_EQ(scan.strSnapshotArray.size(), 40000u);
    EXPECT_EQ(scan.strLotIDArray.size(), 700u);
    EXPECT_GT(lastShown, 32767) << "the progress count must not wrap";
}
