// Open and Save As through Qt's own file dialogs, as the user meets them: the dialog shown and left
// alone a moment, the name typed, then Return; timed from Return to the album's first page at the X
// server (Open) or to the file written (Save As of the album file and a web page export). Each is set
// against the same road through a plain QFileDialog in the same folder, accepted with Return and
// closed, followed by the same command answered without a dialog: Qt's dialog and our own work, with
// nothing of ours between them. Goal 1.5x: the program's own way through the dialog (its filters, the
// name kept across file types, the chosen file found by its bytes) adds less than half again. The
// command alone, as from the command line, is shown beside each row, and so is the part of ours that
// is Qt's: from Return to the program's dialog destroyed.
//
// Qt's dialog alone has its own row, from Return to the dialog closed and gone, against a plain
// QDialog with one line box accepted with Return; beside it the part spent destroying the dialog and
// what Qt's settings write (a lock file, the file written beside and renamed, each synced) costs
// alone. That part is Qt's: the dialog writes its settings on every close, with no option to leave
// them, and the kernel takes a grace period (some 15 ms) to close the inotify descriptor of its folder
// watcher when it has one. So single rounds scatter widely on both sides, and every row takes 30
// rounds (8 in a quick run). Its goal is one on Qt, not on us: the dialog gets out of the way within 0.1 s of
// the least dialog, the limit under which an answer still feels immediate.
//
// Qt's settings go to a scratch folder on the same disk as the build, not the user's. Under X when a
// display is given (run-all starts Xvfb), else offscreen.
#include "BenchSupport.h"
#include "controller/AppMode.h"
#include "platform/QtSeam.h"

#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSettings>
#include <QTimer>
#include <QVBoxLayout>

#include <filesystem>
#include <memory>
#include <optional>

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "file_dialog_bench: %s\n", what);
    std::abort();
}

// The program's own dialogs through the real seam, or the choice given at once (the anchors' second
// half, after a plain dialog). Nothing else may ask anything.
class DialogSeam final : public bench::SilentSeam {
public:
    MessageAnswer messageBox(std::string_view text, MessageButtons, MessageIcon, std::string_view) override {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
        fail("a message was shown");
    }
    FileDialogResult fileDialog(const FileDialogRequest& request) override {
        if (answer) {
            FileDialogResult given = *answer;
            answer.reset();
            return given;
        }
        return m_qt.fileDialog(request);
    }
    std::optional<FileDialogResult> answer;
    QtSeam& qt() { return m_qt; }

private:
    QtSeam m_qt{"Brindlecove"};
};

// What the user does in a dialog once it is up: leaves it a moment (it lists the folder), chooses a
// file type, types the name over the one proposed and presses Return. The time of the Return and the
// paints counted before it are kept.
struct Answer {
    explicit Answer(QString typed, int type = -1) : name(std::move(typed)), fileType(type) {}
    QString name;
    int fileType = -1; // the index in the dialog's list of types, or -1 to leave it
    Clock::time_point returnPressed;
    int paintsBefore = 0;
    Clock::time_point dialogGone; // when the dialog was destroyed, children and all
    double qtMilliseconds() const {
        return std::chrono::duration<double, std::milli>(dialogGone - returnPressed).count();
    }
};

void pressReturn(QWidget* target, Answer& answer) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
    answer.paintsBefore = bench::paints().count;
    answer.returnPressed = Clock::now();
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

// Returns at once; the modal dialog shown next is answered from its own event loop.
void answerNextDialog(Answer& answer) {
    QTimer::singleShot(0, [&answer] {
        QTimer::singleShot(100, [&answer] {
            QWidget* dialog = QApplication::activeModalWidget();
            // Qt's file dialog has other line boxes; its name box has a name of its own.
            auto* name = dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
            if (!name && dialog)
                name = dialog->findChild<QLineEdit*>();
            if (!name)
                fail("no dialog with a name box was shown");
            if (auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
                types && answer.fileType >= 0) {
                types->setCurrentIndex(answer.fileType);
                emit types->activated(answer.fileType);
            }
            // A widget says it is destroyed before its parts are torn down (Qt's file dialog writes
            // its settings and closes its folder watcher there): the last part gone is its end.
            const auto gone = [&answer] { answer.dialogGone = Clock::now(); };
            QObject::connect(dialog, &QObject::destroyed, gone);
            for (QObject* part : dialog->findChildren<QObject*>())
                QObject::connect(part, &QObject::destroyed, gone);
            QApplication::setActiveWindow(dialog);
            name->setFocus();
            name->setText(answer.name);
            pressReturn(name, answer);
        });
    });
}

// A plain QFileDialog as Qt makes it, for the same folder and file types, answered as above; the
// milliseconds from Return to the dialog closed and gone, the part of them spent in its destruction.
struct PlainDialog {
    double closed = 0;
    double destroyed = 0;
};
PlainDialog plainFileDialog(QWidget* owner, const QString& folder, QFileDialog::AcceptMode mode,
                            const QStringList& types, Answer& answer) {
    auto dialog = std::make_unique<QFileDialog>(owner, QStringLiteral("Plain"), folder);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog->setNameFilters(types);
    answerNextDialog(answer);
    if (dialog->exec() != QDialog::Accepted)
        fail("a plain dialog was not accepted");
    const auto closed = Clock::now();
    dialog.reset();
    return {bench::millisecondsSince(answer.returnPressed),
            std::chrono::duration<double, std::milli>(Clock::now() - closed).count()};
}

// What Qt's file dialog writes on closing, written alone: its settings file, locked, written beside
// and renamed into place.
double settingsWrite() {
    const auto start = Clock::now();
    {
        QSettings settings(QSettings::UserScope, QStringLiteral("QtProject"));
        settings.beginGroup(QStringLiteral("FileDialog"));
        settings.setValue(QStringLiteral("qtVersion"), QStringLiteral(QT_VERSION_STR));
    }
    return bench::millisecondsSince(start);
}

// The least a modal dialog costs: one line box, accepted with Return and destroyed.
double plainDialog(QWidget* owner, Answer& answer) {
    auto dialog = std::make_unique<QDialog>(owner);
    auto* layout = new QVBoxLayout(dialog.get());
    auto* box = new QLineEdit(dialog.get());
    layout->addWidget(box);
    QObject::connect(box, &QLineEdit::returnPressed, dialog.get(), &QDialog::accept);
    answerNextDialog(answer);
    if (dialog->exec() != QDialog::Accepted)
        fail("a plain dialog was not accepted");
    dialog.reset();
    return bench::millisecondsSince(answer.returnPressed);
}

const QStringList kAlbumTypes = {QStringLiteral("Storybook Files (*.xml)")};
const QStringList kSaveTypes = {QStringLiteral("Sims 2 Storybook File (*.xml)"),
                                QStringLiteral("Web Export Template (Static HTML Linear) (*.html)"),
                                QStringLiteral("Web Export Template (JavaScript HTML Popup) (*.html)"),
                                QStringLiteral("Web Export Template (CSS/JS Advanced Viewer) (*.html)")};

void FileDialogs(benchmark::State& state) {
    const bench::PhotoAlbum album(10, 1024, 768);
    const QString folder = QString::fromStdString(album.path());
    const std::string albumFile = album.file("Storybook.xml");
    bench::Window<DialogSeam> app(albumFile);
    // Over the window, as the program's own dialogs are.
    app.seam.qt().setOwner(&app.window);
    app.window.show();
    if (app.state.storybook().varPageCount != 10)
        fail("the album did not open");
    // The window's first frame drawn before any road is timed.
    bench::awaitFrame(bench::paints().count - 1);

    // Each road starts with the album itself open and saved, in its own folder.
    const auto reset = [&] {
        app.state.settings.strLastUsedPath = album.path().substr(0, album.path().size() - 1);
        app.state.varStorybookFolder = album.path();
        app.state.varStorybookFile = "Storybook.xml";
        app.state.controller().setMode(AppMode::ViewStorybook);
        ::sync();
    };
    // From the time given (Return, or the command when no dialog is shown) to the page painted or
    // the file written.
    const auto opened = [&](Clock::time_point start, int paintsBefore) {
        bench::awaitFrame(paintsBefore);
        const double milliseconds = bench::millisecondsSince(start);
        if (app.state.controller().mode() != AppMode::ViewStorybook ||
            app.state.storybook().varPageCount != 10)
            fail("the album was not opened again");
        return milliseconds;
    };
    const auto written = [&](Clock::time_point start, const std::string& file) {
        const double milliseconds = bench::millisecondsSince(start);
        if (!std::filesystem::exists(album.file(file)))
            fail("the file was not written");
        return milliseconds;
    };
    // The command with the choice given at once, as from the command line: the program's own work.
    const auto commandAlone = [&](Command command, FileDialogResult choice) {
        reset();
        app.seam.answer = std::move(choice);
        const int paintsBefore = bench::paints().count;
        const auto start = Clock::now();
        app.window.runCommand(command);
        return std::pair{start, paintsBefore};
    };
    // Each Save As writes a file of its own, so none asks about replacing one.
    int saved = 0;
    const auto newName = [&](const char* stem) { return stem + std::to_string(++saved); };

    struct Road {
        std::vector<double> ours, anchor, command, qt;
    };
    Road open, xml, web;
    std::vector<double> qtDialog, leastDialog, qtClose, qtSettings;
    // The two sides of a pair run in turn, each first in every other round, so neither pays for
    // what the one before it left the machine to do.
    int round = 0;
    const auto inTurn = [&](auto&& ours, auto&& anchor) {
        if (round % 2)
            return std::pair{ours(), anchor()};
        const double first = anchor();
        return std::pair{ours(), first};
    };
    for (auto _ : state) {
        ++round;
        // Open: the program's dialog against a plain one and the same open; then the open alone.
        const auto [openOurs, openAnchor] = inTurn(
            [&] {
                reset();
                Answer answer(QStringLiteral("Storybook.xml"));
                answerNextDialog(answer);
                app.window.runCommand(Command::OpenStorybook);
                const double milliseconds = opened(answer.returnPressed, answer.paintsBefore);
                open.qt.push_back(answer.qtMilliseconds());
                return milliseconds;
            },
            [&] {
                reset();
                Answer answer(QStringLiteral("Storybook.xml"));
                plainFileDialog(&app.window, folder, QFileDialog::AcceptOpen, kAlbumTypes, answer);
                app.seam.answer = FileDialogResult{true, albumFile, "Storybook.xml", 1, false, 0};
                app.window.runCommand(Command::OpenStorybook);
                return opened(answer.returnPressed, answer.paintsBefore);
            });
        open.ours.push_back(openOurs);
        open.anchor.push_back(openAnchor);
        const auto [start, paintsBefore] =
            commandAlone(Command::OpenStorybook, {true, albumFile, "Storybook.xml", 1, false, 0});
        open.command.push_back(opened(start, paintsBefore));

        // Save As the album file under a new name in the same folder, and a web page; with the web
        // page's type chosen the name is typed without its extension, which the program adds.
        for (const auto& [road, type, stem, typedExtension] :
             {std::tuple{&xml, 0, "Copy", ".xml"}, std::tuple{&web, 1, "Web", ""}}) {
            const auto file = [&](const std::string& typed) { return type == 0 ? typed : typed + ".html"; };
            const auto [ours, anchor] = inTurn(
                [&] {
                    reset();
                    const std::string typed = newName(stem) + typedExtension;
                    Answer answer(QString::fromStdString(typed), type);
                    answerNextDialog(answer);
                    app.window.runCommand(Command::SaveStorybookAs);
                    const double milliseconds = written(answer.returnPressed, file(typed));
                    road->qt.push_back(answer.qtMilliseconds());
                    return milliseconds;
                },
                [&] {
                    reset();
                    const std::string typed = newName(stem) + typedExtension;
                    Answer answer(QString::fromStdString(typed), type);
                    plainFileDialog(&app.window, folder, QFileDialog::AcceptSave, kSaveTypes, answer);
                    app.seam.answer = FileDialogResult{true, album.file(typed), typed, type + 1, false, 0};
                    app.window.runCommand(Command::SaveStorybookAs);
                    return written(answer.returnPressed, file(typed));
                });
            road->ours.push_back(ours);
            road->anchor.push_back(anchor);
            const std::string typed = newName(stem) + typedExtension;
            const auto [start, paintsBefore] =
                commandAlone(Command::SaveStorybookAs, {true, album.file(typed), typed, type + 1, false, 0});
            road->command.push_back(written(start, file(typed)));
        }

        // Qt's file dialog alone, against the least modal dialog; then Qt's settings write alone.
        PlainDialog plain;
        const auto [qtOurs, qtAnchor] = inTurn(
            [&] {
                reset();
                Answer answer(QStringLiteral("Storybook.xml"));
                plain = plainFileDialog(&app.window, folder, QFileDialog::AcceptOpen, kAlbumTypes, answer);
                return plain.closed;
            },
            [&] {
                reset();
                Answer answer(QStringLiteral("Storybook.xml"));
                return plainDialog(&app.window, answer);
            });
        qtDialog.push_back(qtOurs);
        leastDialog.push_back(qtAnchor);
        qtClose.push_back(plain.destroyed);
        qtSettings.push_back(settingsWrite());
        state.SetIterationTime(open.ours.back() / 1000);
    }
    for (const auto& [road, label] :
         {std::pair{&open, "open."}, std::pair{&xml, "save_as_xml."}, std::pair{&web, "export_web."}}) {
        bench::reportPair(state, road->ours, road->anchor, bench::Goal::ratio(1.5), label);
        state.counters[std::string(label) + "command_ms"] = bench::median(road->command);
        state.counters[std::string(label) + "qt_dialog_ms"] = bench::median(road->qt);
    }
    bench::reportPair(state, qtDialog, leastDialog, bench::Goal::extra(100), "qt_file_dialog.");
    state.counters["qt_file_dialog.destroy_ms"] = bench::median(qtClose);
    state.counters["qt_file_dialog.settings_write_ms"] = bench::median(qtSettings);
    state.counters["under_x"] = qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
    // Qt's file dialog keeps its own settings in the user's configuration folder; here, a scratch one
    // on the build's disk, so the write costs what it costs there.
    const std::filesystem::path config =
        std::filesystem::absolute(argv[0]).parent_path() / "file-dialog-bench-config";
    std::filesystem::remove_all(config);
    std::filesystem::create_directories(config);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    const int status = bench::runBenchmarks(argc, argv, [] {
        benchmark::RegisterBenchmark("FileDialogs", FileDialogs)
            ->UseManualTime()
            ->Iterations(bench::samples(30, 20))
            ->Unit(benchmark::kMillisecond);
    });
    std::filesystem::remove_all(config);
    return status;
}
