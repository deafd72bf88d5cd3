#include "QtSeam.h"

#include "ChosenPath.h"
#include "QtText.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

#include <xcb/xcb.h>
// The XKB header names a field "explicit", a keyword in C++.
#define explicit xkbExplicit
#include <xcb/xkb.h>
#undef explicit

#include <cstdlib>

namespace {
QString nameFilterFor(const FileFilter& filter) {
    // Qt reads the patterns from the last bracketed part of the filter text.
    QString patterns = qText(filter.pattern).trimmed();
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    return qText(filter.description) + QStringLiteral(" (") + patterns + QLatin1Char(')');
}

// A Yes/No question has no way out but its two answers: Escape and closing the box do nothing,
// so an unsaved album is never discarded by a stray key.
class AnswerRequired : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            return true;
        return QObject::eventFilter(watched, event);
    }
};

// Qt's own Save dialog swaps the extension in the name box for the new filter's whenever the file
// type is chosen, so "Family.v2" came back as "Family.xml". The name stays as the user left it;
// the caller adds what the filter asks for.
void keepNameAcrossFileTypes(QFileDialog& dialog) {
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    if (!name || !types)
        return;
    QObject::disconnect(types, &QComboBox::activated, &dialog, nullptr);
    QObject::connect(types, &QComboBox::activated, &dialog, [&dialog, name](int index) {
        const QString typed = name->text();
        // Still filters the listed files as the dialog's own handling did.
        dialog.selectNameFilter(dialog.nameFilters().value(index));
        name->setText(typed);
    });
}

QUrl urlFor(std::string_view pathOrAddress) {
    const QString text = qText(pathOrAddress);
    const QUrl url(text);
    if (!url.scheme().isEmpty() && url.scheme().size() > 1)
        return url;
    return QUrl::fromLocalFile(text);
}

// The desktop's opener says by its exit status whether a program took the document; Qt's own
// launcher only knows whether the opener started. Without the opener, Qt's launcher is all there is.
// The openers still running belong to `launches`; once it is gone, their end reports nothing.
void launch(QObject& launches, const QUrl& url, PlatformSeam::LaunchFailed failed) {
    const auto report = [failed] {
        if (failed)
            failed();
    };
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        if (!QDesktopServices::openUrl(url))
            report();
        return;
    }
    auto* process = new QProcess(&launches);
    QObject::connect(process, &QProcess::finished, &launches,
                     [process, report](int code, QProcess::ExitStatus status) {
                         process->deleteLater();
                         if (status != QProcess::NormalExit || code != 0)
                             report();
                     });
    QObject::connect(process, &QProcess::errorOccurred, &launches,
                     [process, report](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         process->deleteLater();
                         report();
                     });
    process->start(opener, {url.isLocalFile() ? url.toLocalFile() : url.toString()});
}
} // namespace

QtSeam::QtSeam(std::string applicationTitle)
    : m_applicationTitle(std::move(applicationTitle)), m_launches(std::make_unique<QObject>()) {
    // A held key then repeats as presses alone, ended by one release. Otherwise X sends each repeat
    // as a release and a press, and Qt marks the pair only when the press has already arrived, which
    // on a loaded machine it often has not: the release then looks like the key's last.
    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (xcb_connection_t* connection = x11 ? x11->connection() : nullptr) {
        const std::uint32_t flag = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
        std::free(xcb_xkb_per_client_flags_reply(
            connection, xcb_xkb_per_client_flags(connection, XCB_XKB_ID_USE_CORE_KBD, flag, flag, 0, 0, 0),
            nullptr));
    }
}

QtSeam::~QtSeam() = default;

QString QtSeam::titleOrDefault(std::string_view title) const {
    return title.empty() ? qText(m_applicationTitle) : qText(title);
}

QWidget* QtSeam::visibleOwner() const {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return m_owner && m_owner->isVisible() ? m_owner : nullptr;
}

MessageAnswer QtSeam::messageBox(std::string_view text, MessageButtons buttons, MessageIcon icon,
                                 std::string_view title) {
    QMessageBox box(visibleOwner());
    box.setWindowTitle(titleOrDefault(title));
    box.setText(qText(text));
    box.setIcon(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon);

    QAbstractButton* cancel = nullptr;
    switch (buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        cancel = box.button(QMessageBox::Cancel);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        cancel = box.button(QMessageBox::Cancel);
        break;
    }
    AnswerRequired answerRequired;
    if (cancel)
        box.setEscapeButton(cancel);
    else if (buttons == MessageButtons::YesNo)
        box.installEventFilter(&answerRequired);
    box.exec();

    QAbstractButton* clicked = box.clickedButton();
    switch (clicked ? box.standardButton(clicked) : QMessageBox::NoButton) {
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    default:
        break;
    }
    // A question closed without an answer (by the system, say) is never taken as a No, which
    // could drop the user's work.
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

std::string QtSeam::inputBox(std::string_view prompt, std::string_view title,
                             std::string_view defaultAnswer) {
    bool accepted = false;
    const QString answer = QInputDialog::getText(visibleOwner(), titleOrDefault(title), qText(prompt),
                                                 QLineEdit::Normal, qText(defaultAnswer), &accepted);
    return accepted ? toUtf8(answer) : std::string();
}

FileDialogResult QtSeam::fileDialog(const FileDialogRequest& request) {
    QFileDialog dialog(visibleOwner(), qText(request.title));
    const bool open = request.kind == FileDialogKind::Open;
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    if (open)
        dialog.setFileMode(request.multiSelect
                               ? QFileDialog::ExistingFiles
                               : (request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
    else
        dialog.setFileMode(QFileDialog::AnyFile);
    // The desktop's own Save dialog may rename the file as Qt's did (see keepNameAcrossFileTypes).
    dialog.setOption(QFileDialog::DontUseNativeDialog, !open);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);

    QStringList nameFilters;
    for (const FileFilter& filter : request.filters)
        nameFilters << nameFilterFor(filter);
    if (!nameFilters.isEmpty()) {
        dialog.setNameFilters(nameFilters);
        const int index = std::clamp(request.filterIndex, 1, static_cast<int>(nameFilters.size()));
        dialog.selectNameFilter(nameFilters.at(index - 1));
    }
    if (!request.initialFolder.empty())
        dialog.setDirectory(qText(request.initialFolder));
    if (!request.fileName.empty())
        dialog.selectFile(qText(request.fileName));
    if (!request.defaultExtension.empty())
        dialog.setDefaultSuffix(qText(request.defaultExtension));
    if (!open)
        keepNameAcrossFileTypes(dialog);

    FileDialogResult result;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return result;
    result.chosen = true;
    // A file that must exist is found by its bytes (a desktop's dialog lists names Qt cannot decode).
    // A name to save under stays as typed: found by its look alone, it could replace another file
    // without the question about replacing it.
    const QString chosen = dialog.selectedFiles().constFirst();
    result.path = open && request.fileMustExist ? chosenPathOnDisk(chosen) : toUtf8(chosen);
    result.fileTitle = result.path.substr(result.path.find_last_of('/') + 1);
    // With the details hidden, some Qt versions name the chosen filter by its description alone.
    const QString chosenFilter = dialog.selectedNameFilter();
    for (qsizetype i = 0; i < nameFilters.size() && result.filterIndex == 0; ++i) {
        if (chosenFilter == nameFilters.at(i) ||
            chosenFilter.trimmed() ==
                qText(request.filters[static_cast<std::size_t>(i)].description).trimmed())
            result.filterIndex = static_cast<int>(i) + 1;
    }
    if (result.filterIndex < 1)
        result.filterIndex = std::max(1, request.filterIndex);
    // Qt's dialogs offer no read-only box, so the caller's choice stands.
    result.readOnly = request.readOnlyTicked;
    return result;
}

ModalResult QtSeam::runModal(QDialog& dialog) {
    return dialog.exec() == QDialog::Accepted ? ModalResult::Accepted : ModalResult::Rejected;
}

void QtSeam::openWithDefaultApplication(std::string_view pathOrAddress, LaunchFailed failed) {
    launch(*m_launches, urlFor(pathOrAddress), std::move(failed));
}

void QtSeam::openInTextEditor(std::string_view path, LaunchFailed failed) {
    // The desktop's handler for plain text is the user's text editor.
    launch(*m_launches, QUrl::fromLocalFile(qText(path)), std::move(failed));
}

void QtSeam::setClipboardText(std::string_view text) {
    QApplication::clipboard()->setText(qText(text));
}

std::string QtSeam::clipboardText() {
    return toUtf8(QApplication::clipboard()->text());
}

bool QtSeam::keyHeld(std::uint32_t nativeScanCode) {
    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection || nativeScanCode < 8 || nativeScanCode > 255)
        return false;
    xcb_query_keymap_reply_t* keymap =
        xcb_query_keymap_reply(connection, xcb_query_keymap(connection), nullptr);
    if (!keymap)
        return false;
    const bool held = (keymap->keys[nativeScanCode / 8] >> (nativeScanCode % 8)) & 1;
    std::free(keymap);
    return held;
}
