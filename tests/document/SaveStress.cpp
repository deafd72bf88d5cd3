// Several programs save one album in loops while this one reads it and its backup: every save must
// succeed with its backup, every read must find a whole album, and nothing but the album and its
// backup may stay behind.
//
//   save_stress [SAVERS [SECONDS]]        (4 savers for 3 seconds; exit status 0 when all held)
//   save_stress --saver FOLDER INDEX SECONDS   (one of the savers, started by the above)
#include "AlbumText.h"
#include "TempFolder.h"

#include "document/FileText.h"
#include "document/StorybookParser.h"
#include "document/StorybookReader.h"
#include "document/StorybookWriter.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr const char* kAlbum = "Storybook.xml";
constexpr const char* kBackup = "Storybook.bak";

struct Tally {
    long saves = 0;
    long failed = 0;
    long refused = 0; // the backup could not be made
    std::string firstFailure;
};

// Each saver stores two stories in turn, so every save changes the file.
std::string storyOf(int saver, long round) {
    return "saver " + std::to_string(saver) + (round % 2 ? " odd" : " even");
}

std::unique_ptr<Storybook> load(const std::string& path) {
    auto book = makeStorybook();
    if (!ReadStorybookLines(*book, path))
        return nullptr;
    ParseAlbumGlobals(*book);
    if (ParseStorybookRecords(*book).outcome != ParseOutcome::Complete)
        return nullptr;
    return book;
}

void setStory(Storybook& book, const std::string& story) {
    book.varEntryArray[0][album::Text][album::Content] = "<![CDATA[" + story + "]]>";
}

std::string resultPath(const std::string& folder, int saver) {
    return folder + "/result-" + std::to_string(saver) + ".txt";
}

int runSaver(const std::string& folder, int index, int seconds) {
    const std::string path = folder + "/" + kAlbum;
    auto book = load(path);
    Tally tally;
    const auto end = Clock::now() + std::chrono::seconds(seconds);
    // The question about saving without a backup is answered No, and kept as the failure's reason.
    std::string question;
    const SaveQuestion ask = [&](const Message& asked) {
        question = asked.text;
        return MessageAnswer::No;
    };
    for (long round = 0; book && Clock::now() < end; ++round) {
        setStory(*book, storyOf(index, round));
        const SaveResult result = BackupAndSave(*book, path, ask);
        ++tally.saves;
        if (result.saved())
            continue;
        ++tally.failed;
        tally.refused += result.outcome == SaveOutcome::BackupRefused;
        if (tally.firstFailure.empty())
            tally.firstFailure = result.message ? result.message->text : question;
    }
    if (!book)
        tally.firstFailure = "the album did not load";
    std::ostringstream out;
    out << tally.saves << ' ' << tally.failed << ' ' << tally.refused << '\n' << tally.firstFailure;
    return writeFileAtomically(resultPath(folder, index), out.str()).ok && book ? 0 : 1;
}

// The savers are copies of this program, started with --saver.
class Savers {
public:
    Savers(const std::string& folder, int count, int seconds) {
        for (int index = 0; index < count; ++index) {
#ifdef _WIN32
            wchar_t self[MAX_PATH];
            ::GetModuleFileNameW(nullptr, self, MAX_PATH);
            std::wstring line = L"\"" + std::wstring(self) + L"\" --saver \"" + pathOf(folder).wstring() +
                                L"\" " + std::to_wstring(index) + L" " + std::to_wstring(seconds);
            STARTUPINFOW startup{};
            startup.cb = sizeof startup;
            PROCESS_INFORMATION started{};
            if (::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &started)) {
                ::CloseHandle(started.hThread);
                m_running.push_back(started.hProcess);
            }
#else
            const pid_t child = ::fork();
            if (child == 0)
                ::_exit(runSaver(folder, index, seconds));
            if (child > 0)
                m_running.push_back(child);
#endif
        }
        m_started = int(m_running.size());
    }
    int started() const {
        return m_started;
    }
    // Collects the savers that have ended; true while any still runs.
    bool running() {
        std::erase_if(m_running, [](auto saver) {
#ifdef _WIN32
            if (::WaitForSingleObject(saver, 0) != WAIT_OBJECT_0)
                return false;
            ::CloseHandle(saver);
            return true;
#else
            return ::waitpid(saver, nullptr, WNOHANG) == saver;
#endif
        });
        return !m_running.empty();
    }

private:
#ifdef _WIN32
    std::vector<HANDLE> m_running;
#else
    std::vector<pid_t> m_running;
#endif
    int m_started = 0;
};

int runStress(int saverCount, int seconds) {
    TempFolder folder;
    AlbumText text;
    text.pages = {{"Arrival", "snapshot_4c1e9b07_00000001.jpg", "We moved in."},
                  {"Garden", "snapshot_4c1e9b07_00000002.jpg", "The roses came out."}};
    const std::string path = folder.write(kAlbum, text.bytes());
    const std::string backup = folder.file(kBackup);

    // Every whole album a reader may find: the first and each story a saver stores.
    std::set<std::string> whole = {TempFolder::read(path)};
    auto book = load(path);
    if (!book) {
        std::fprintf(stderr, "the album did not load\n");
        return 1;
    }
    for (int saver = 0; saver < saverCount; ++saver) {
        for (long round : {0, 1}) {
            setStory(*book, storyOf(saver, round));
            if (!BackupAndSave(*book, path).saved()) {
                std::fprintf(stderr, "a save alone failed\n");
                return 1;
            }
            whole.insert(TempFolder::read(path));
        }
    }

    Savers savers(folder.path(), saverCount, seconds);
    long reads = 0;
    long damaged = 0;
    std::string firstDamage;
    while (savers.running()) {
        for (const std::string& name : {path, backup}) {
            ++reads;
            const auto read = readWholeFile(name);
            if (whole.contains(read.value_or("")))
                continue;
            if (++damaged == 1)
                firstDamage =
                    name + (read ? " held " + std::to_string(read->size()) + " bytes" : " was missing");
        }
    }

    Tally all;
    int reported = 0;
    for (int saver = 0; saver < savers.started(); ++saver) {
        std::istringstream result(TempFolder::read(resultPath(folder.path(), saver)));
        Tally tally;
        if (!(result >> tally.saves >> tally.failed >> tally.refused))
            continue;
        ++reported;
        result >> std::ws;
        std::getline(result, tally.firstFailure, '\0');
        all.saves += tally.saves;
        all.failed += tally.failed;
        all.refused += tally.refused;
        if (all.firstFailure.empty())
            all.firstFailure = tally.firstFailure;
    }
    std::set<std::string> left;
    for (const auto& entry : fs::directory_iterator(pathOf(folder.path()))) {
        const std::string name = utf8Of(entry.path().filename());
        if (name != kAlbum && name != kBackup && !name.starts_with("result-"))
            left.insert(name);
    }

    std::printf("%d savers, %d s: %ld saves, %ld failed (%ld without a backup); %ld reads, %ld damaged; "
                "%zu names left behind\n",
                reported, seconds, all.saves, all.failed, all.refused, reads, damaged, left.size());
    if (!all.firstFailure.empty())
        std::printf("first failure: %s\n", all.firstFailure.c_str());
    if (!firstDamage.empty())
        std::printf("first damaged read: %s\n", firstDamage.c_str());
    for (const std::string& name : left)
        std::printf("left behind: %s\n", name.c_str());
    const bool held =
        reported == saverCount && all.saves > 0 && all.failed == 0 && damaged == 0 && left.empty();
    return held ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::string(argv[1]) == "--saver")
        return runSaver(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
    const int savers = argc > 1 ? std::atoi(argv[1]) : 4;
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 3;
    if (savers < 1 || seconds < 1) {
        std::fprintf(stderr, "usage: save_stress [SAVERS [SECONDS]]\n");
        return 2;
    }
    return runStress(savers, seconds);
}
