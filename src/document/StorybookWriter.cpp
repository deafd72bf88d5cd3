#include "StorybookWriter.h"
#include "ApplicationModes.h"

#include "FileText.h"
#include "PathSplit.h"
#include "ReadBack.h"
#include "StoredText.h"
#include "StorybookReader.h"
#include "TextUtil.h"

namespace {

constexpr std::string_view kSaveFailed = "save operation failed";

bool holdsLineEnd(std::string_view line) {
    return line.find('\n') != std::string_view::npos || line.find('\r') != std::string_view::npos;
}

// A line slot takes a cell's text as the cell holds it: referring to the same file bytes, or copied.
void copyCell(Cell& line, const Cell& cell) {
    if (cell.holdsOwnText())
        line.set(cell.text());
    else
        line.setView(cell.text());
}

// Appends the used slots of a record; false when the line image is full.
template <std::size_t N> bool copyRecord(Storybook& album, const std::array<Cell, N>& record, int& n) {
    for (const Cell& cell : record) {
        if (!cell.isSet())
            break;
        if (n >= album::kMaxFileLines)
            return false;
        copyCell(album.strLogFileArray[n++], cell);
    }
    return true;
}

// An entry line from its three parts; when they lie next to each other in the file's bytes, as read,
// the line refers to them there.
void joinParts(Cell& line, const std::array<Cell, album::kPartCount>& parts) {
    const Cell& opening = parts[album::OpeningPart];
    const Cell& content = parts[album::Content];
    const Cell& closing = parts[album::ClosingPart];
    const std::string_view a = opening.text();
    const std::string_view b = content.text();
    const std::string_view c = closing.text();
    if (!opening.holdsOwnText() && !content.holdsOwnText() && !closing.holdsOwnText() &&
        a.data() + a.size() == b.data() && b.data() + b.size() == c.data()) {
        line.setView(std::string_view(a.data(), a.size() + b.size() + c.size()));
        return;
    }
    std::string& text = line.ownText();
    text.assign(a);
    text += b;
    text += c;
}

// The file's bytes: lines joined by LF, each "{vbcrlf}" a line break, no line end after the last.
void fileBytes(const Storybook& album, std::string& bytes) {
    std::size_t size = 0;
    for (int k = 0; k <= album.intLogFileLastLine; ++k)
        size += album.strLogFileArray[k].text().size() + 1;
    bytes.clear();
    bytes.reserve(size);
    for (int k = 0; k <= album.intLogFileLastLine; ++k) {
        if (k > 0)
            bytes += '\n';
        appendExpandingLineBreaks(bytes, album.strLogFileArray[k], "\n");
    }
}

void showSaveFailure(StorybookHost& host, std::string_view text) {
    host.messageBox(text, MessageButtons::Ok, MessageIcon::Critical, kSaveFailed);
    host.hideSavingPicture();
}

// The album is never touched by a refused save; the message names the backup only when there is one.
std::string integrityFailureText(const std::string& backup) {
    const bool backupExists = !backup.empty() && fileExists(backup);
    return std::string("XML Integrity Check Failed!\r\n\r\n") +
           (backupExists ? "Using backup file for recovery" : "The storybook file was left as it was.") +
           "\r\nModifications will not be saved.  ";
}

// The album is only replaced without its backup when the user says so.
bool saveWithoutBackup(StorybookHost& host, const std::string& reason) {
    return host.messageBox("The backup copy of the storybook could not be made.\r\n" + reason +
                               "\r\n\r\nSave the storybook without a backup?",
                           MessageButtons::YesNo, MessageIcon::Critical,
                           "backup failed") == MessageAnswer::Yes;
}

std::string writeFailureText(const std::string& reason) {
    return "The storybook file could not be written.\r\n" + reason +
           "\r\n\r\nModifications will not be saved.  ";
}

} // namespace

bool RebuildLogFileArray(Storybook& album) {
    album.linesReferToCellBytes = true;
    int n = 0;
    if (!copyRecord(album, album.strXClientEnv, n) || !copyRecord(album, album.strXMetaHead, n))
        return false;
    for (int e = 0; e < album.varPageCount; ++e) {
        if (n + 8 > album::kMaxFileLines)
            return false;
        album.strLogFileArray[n++] = "      <Entry>";
        for (int f = 0; f < album::kFieldCount; ++f) {
            joinParts(album.strLogFileArray[n++], album.varEntryArray[e][f]);
        }
        album.strLogFileArray[n++] = "      </Entry>";
    }
    if (!copyRecord(album, album.strXFooter, n))
        return false;
    album.strLogFileArray[n] = album::kEofMarker;
    album.intLogFileLastLine = static_cast<std::int16_t>(n - 1);

    for (int k = 0; k <= album.intLogFileLastLine; ++k) {
        if (!holdsLineEnd(album.strLogFileArray[k]))
            continue;
        std::string& line = album.strLogFileArray[k].ownText();
        replaceAll(line, "\r\n", album::kLineBreakMark);
        if (holdsLineEnd(line))
            return false;
    }
    return true;
}

std::string BackupPathFor(const std::string& path) {
    PathParts parts = splitPath(path);
    if (parts.name.find(".xml") == std::string::npos)
        return path + ".bak";
    replaceAll(parts.name, ".xml", ".bak");
    return parts.folder + parts.name;
}

SaveOutcome BackupAndSave(Storybook& album, StorybookHost& host, const std::string& path) {
    host.showSavingPicture();
    const std::string backup = BackupPathFor(path);

    if (!RebuildLogFileArray(album)) {
        showSaveFailure(host, "LFA update failed        ");
        return SaveOutcome::RebuildFailed;
    }
    // Nothing is written that would not load back as it is in memory.
    static thread_local std::string bytes; // kept from save to save, like the line image
    fileBytes(album, bytes);
    if (!readsBackAs(album, bytes)) {
        showSaveFailure(host, integrityFailureText(backup));
        return SaveOutcome::CheckFailed;
    }

    // The new file is written and checked beside the album; only a file that passes takes its place,
    // so a failure at any step leaves the album and its backup as they were.
    AtomicFileWriter writer(path);
    if (const FileResult written = writer.write(bytes); !written.ok) {
        showSaveFailure(host, writeFailureText(written.error));
        return SaveOutcome::WriteFailed;
    }
    if (!CheckStorybookStructure(writer.temporaryPath())) {
        showSaveFailure(host, integrityFailureText(backup));
        return SaveOutcome::CheckFailed;
    }
    if (const FileResult kept = writer.keepBackup(backup); !kept.ok && !saveWithoutBackup(host, kept.error)) {
        host.hideSavingPicture();
        return SaveOutcome::BackupRefused;
    }
    if (const FileResult committed = writer.commit(); !committed.ok) {
        showSaveFailure(host, writeFailureText(committed.error));
        return SaveOutcome::WriteFailed;
    }

    host.setStorybookSaved(true);
    host.setApplicationMode(modes::kStorybookSaved);
    host.hideSavingPicture();
    return SaveOutcome::Saved;
}
