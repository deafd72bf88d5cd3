// The Save and Save As commands: writing the album back to its own file, or choosing in one Save
// dialog a new album file or a web page in one of the three templates, with the images copied to
// a new folder on request. A failed Save As leaves the album where it was, its changes unsaved.

#include "controller/AppMode.h"
#include "frmMain.h"

#include "controller/SaveAsTarget.h"
#include "dialogs/CDCOpenSave.h"
#include "document/FileNames.h"
#include "document/FileText.h"
#include "document/PathSplit.h"
#include "document/StorybookWriter.h"
#include "export/HtmlExport.h"

#include <filesystem>
#include <unordered_set>

namespace {

constexpr const char* kSaveAsFilter = "Sims 2 Storybook File (*.xml)|*.xml|"
                                      "Web Export Template (Static HTML Linear)|*.html|"
                                      "Web Export Template (JavaScript HTML Popup)|*.html|"
                                      "Web Export Template (CSS/JS Advanced Viewer)|*.html";

// One message for every picture left behind, naming the first few.
std::string notCopiedText(const std::vector<std::string>& names) {
    constexpr std::size_t kNamesShown = 5;
    std::string text = std::to_string(names.size()) + (names.size() == 1 ? " picture could not be copied: "
                                                                         : " pictures could not be copied: ");
    for (std::size_t i = 0; i < names.size() && i < kNamesShown; ++i)
        text += (i > 0 ? ", " : "") + names[i];
    if (names.size() > kNamesShown)
        text += ", ...";
    return text;
}

bool anythingAt(const std::string& path) {
    std::error_code error;
    return std::filesystem::symlink_status(path, error).type() != std::filesystem::file_type::not_found &&
           !error;
}

} // namespace

void frmMain::SaveStorybook() {
    CommitTextEdit();
    saveAlbum(m_state.varStorybookFolder + m_state.varStorybookFile);
    showPageAfresh();
}

void frmMain::SaveStorybookAs() {
    const std::string oldFolder = m_state.varStorybookFolder;
    const std::string oldFile = m_state.varStorybookFile;
    if (!m_state.controller().hasPages())
        return;
    CommitTextEdit();
    showSavingPicture();
    const auto stayWhereItWas = [&] {
        m_state.varStorybookFolder = oldFolder;
        m_state.varStorybookFile = oldFile;
        returnToViewing();
        hideSavingPicture();
    };

    CDCOpenSave dialog(m_state.seam());
    SaveFileNameParams params;
    params.Filename = suggestedSaveAsName(oldFile);
    params.OverWritePrompt = true;
    params.Filter = kSaveAsFilter;
    params.FilterIndex = 0;
    params.InitDir = m_state.settings.strLastUsedPath;
    params.DlgTitle = "Save As";
    refresh();
    dialog.VBGetSaveFileName(params);
    if (params.Filename.empty()) {
        stayWhereItWas();
        return;
    }

    const SaveAsTarget target = saveAsTarget(params.Filename, params.FilterIndex);
    // Held in the mode while the target is decided, but never shown in the mode line.
    m_state.controller().setMode(target.action == SaveAsAction::SaveXml ? AppMode::SaveXml
                                                                        : AppMode::ExportHtml);
    PathParts parts = splitPath(target.path);
    m_state.varStorybookFolder = std::move(parts.folder);
    m_state.varStorybookFile = std::move(parts.name);

    // The dialog asked about replacing the name the user chose, not the one the program made of it.
    if (target.renamed && anythingAt(target.path) &&
        messageBox(m_state.varStorybookFile + " already exists.\r\nDo you want to replace it?",
                   MessageButtons::YesNo, MessageIcon::None, "Save As") != MessageAnswer::Yes) {
        stayWhereItWas();
        return;
    }

    if (!sameFolder(m_state.varStorybookFolder, oldFolder)) {
        const MessageAnswer answer = messageBox(
            "Saving storybook to an alternate path, \r\n\r\nsource path: " + oldFolder + oldFile +
                "\r\ndestination path: " + target.path +
                "\r\n\r\nDo you wish to copy all of the associated\r\nsnapshots and thumbnails too? "
                "(recommend yes)",
            MessageButtons::YesNoCancel, MessageIcon::None, "Exporting Storybook");
        if (answer == MessageAnswer::Cancel) {
            stayWhereItWas();
            return;
        }
        // A picture that cannot be copied is no reason to keep the album from its new place.
        if (answer == MessageAnswer::Yes) {
            if (const auto notCopied = CopyStorybookImages(oldFolder); !notCopied.empty())
                messageBox(notCopiedText(notCopied), MessageButtons::Ok, MessageIcon::Critical,
                           "Exporting Storybook");
        }
    }

    if (target.action == SaveAsAction::SaveXml) {
        // A failed save leaves the album where it was, with its changes still unsaved.
        if (saveAlbum(target.path) != SaveOutcome::Saved) {
            stayWhereItWas();
            return;
        }
        showPageAfresh();
        return;
    }

    showSavingPicture();
    const FileResult exported = ExportStorybookHtml(m_state.storybook(), target.path, target.templateName);
    // The album itself stays where it was; only the page went to the new place.
    stayWhereItWas();
    if (!exported.ok)
        messageBox(exported.error, MessageButtons::Ok, MessageIcon::Critical, "Save As Failed");
}

std::vector<std::string> frmMain::CopyStorybookImages(const std::string& sourceFolder) {
    const Storybook& book = m_state.storybook();
    std::vector<std::string> notCopied;
    std::unordered_set<std::string> seen;
    for (int page = 0; page < book.varPageCount; ++page) {
        for (const auto field : {album::ThumbnailFilename, album::Snapshot}) {
            std::string name(book.content(page, field));
            // A page without a picture has nothing to copy; a picture shared by pages is copied once.
            if (name.empty() || !seen.insert(name).second)
                continue;
            // A name that is not plain would reach outside either folder.
            if (!isPlainFileName(name) ||
                !copyFileAtomically(sourceFolder + name, m_state.varStorybookFolder + name, FileFlush::Skip)
                     .ok)
                notCopied.push_back(std::move(name));
        }
    }
    return notCopied;
}
