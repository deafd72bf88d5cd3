#include "platform/SettingsStore.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
constexpr const char* kKey = "Software\\Halvergate Software\\Brindlecove";
}

TEST(SettingsStoreTest, TextsSurviveAReopenExactly) {
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("store.ini"));
    const std::vector<std::string> texts = {"True",
                                            "  padded  ",
                                            "a, b, c",
                                            "key=value; more",
                                            "",
                                            "/home/user/My Albums/Ünïcode",
                                            "C:\\back\\slashes"};
    {
        QtSettingsStore store(file);
        for (std::size_t i = 0; i < texts.size(); ++i)
            store.writeText(kKey, "Value" + std::to_string(i), texts[i]);
        store.sync();
    }
    QtSettingsStore reopened(file);
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(reopened.readText(kKey, "Value" + std::to_string(i)), texts[i]) << "value " << i;
}

TEST(SettingsStoreTest, MissingOrNonTextValuesReadAsNothing) {
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("store.ini"));
    {
        QSettings raw(file, QSettings::IniFormat);
        raw.setValue(QStringLiteral("Software/Halvergate Software/Brindlecove/Number"), 42);
        raw.setValue(QStringLiteral("Software/Halvergate Software/Brindlecove/List"),
                     QStringList{QStringLiteral("a"), QStringLiteral("b")});
    }
    QtSettingsStore store(file);
    EXPECT_FALSE(store.readText(kKey, "Missing"));
    EXPECT_FALSE(store.readText(kKey, "List"));
    EXPECT_FALSE(store.readText("Software\\Other", "Number"));
}

TEST(SettingsStoreTest, KeyPathsKeepValuesApart) {
    QTemporaryDir folder;
    QtSettingsStore store(folder.filePath(QStringLiteral("store.ini")));
    store.writeText("Software\\A", "Name", "first");
    store.writeText("Software\\B", "Name", "second");
    EXPECT_EQ(store.readText("Software\\A", "Name"), "first");
    EXPECT_EQ(store.readText("Software\\B", "Name"), "second");
}
