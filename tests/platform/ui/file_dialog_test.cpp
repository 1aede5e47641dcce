// The open and save dialogs as they come up: every file under "All Files", a chosen file kept
// as named, and all four columns of the file list in view.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <QTreeView>
#include <filesystem>
#include <fstream>

#include "platform/qt/file_dialog_setup.h"
#include "tests/qt_test_app.h"

namespace tobrisk {
namespace {

namespace fs = std::filesystem;

class FileDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureTestApplication();
        // A folder per process: ctest runs this file's tests side by side.
        dir = fs::temp_directory_path() /
              ("tobrisk-file-dialog-" + std::to_string(QCoreApplication::applicationPid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        for (const char* name : {"Tbdata.dat", "mycalc", "notes.txt"})
            std::ofstream(dir / name) << "x";
        spec = FileDialogSpec{"Open a particular configuration of Tobrisk", "dat",
                              "Tobrisk Data (*.dat)|*.dat|All Files (*.*)|*.*", dir.string()};
    }
    void TearDown() override { fs::remove_all(dir); }

    // The names the dialog's list shows once the folder has been read (the file system model
    // adds its rows in batches, so the list is read when it has stopped growing).
    static QStringList listed(QFileDialog& dialog) {
        auto* view = dialog.findChild<QTreeView*>("treeView");
        if (!view) return {};
        auto names = [view] {
            QStringList out;
            const QModelIndex root = view->rootIndex();
            for (int r = 0; r < view->model()->rowCount(root); ++r)
                out << view->model()->index(r, 0, root).data().toString();
            out.sort();
            return out;
        };
        QStringList last = names();
        for (int tries = 0; tries < 50; ++tries) {
            QTest::qWait(20);
            const QStringList now = names();
            if (now == last && !now.isEmpty() && tries >= 5) break;
            last = now;
        }
        return last;
    }

    fs::path dir;
    FileDialogSpec spec;
};

TEST_F(FileDialogTest, AllFilesListsFilesWithoutAnExtension) {
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    setUpFileDialog(dialog, spec, FileDialogMode::Open);
    EXPECT_EQ(dialog.nameFilters(), (QStringList{"Tobrisk Data (*.dat)", "All Files (*)"}));
    dialog.show();
    EXPECT_EQ(listed(dialog), QStringList{"Tbdata.dat"});
    dialog.selectNameFilter("All Files (*)");
    EXPECT_EQ(listed(dialog), (QStringList{"Tbdata.dat", "mycalc", "notes.txt"}));
}

TEST_F(FileDialogTest, AChosenFileWithoutExtensionIsOpenedAsNamed) {
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    setUpFileDialog(dialog, spec, FileDialogMode::Open);
    dialog.show();
    dialog.selectNameFilter("All Files (*)");
    dialog.selectFile(QString::fromStdString((dir / "mycalc").string()));
    QMetaObject::invokeMethod(&dialog, "accept");
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.selectedFiles(),
              QStringList{QString::fromStdString((dir / "mycalc").string())});
}

TEST_F(FileDialogTest, SavingAddsTheDefaultExtension) {
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    setUpFileDialog(dialog, spec, FileDialogMode::Save);
    dialog.show();
    dialog.selectFile(QString::fromStdString((dir / "newconf").string()));
    EXPECT_EQ(dialog.selectedFiles(),
              QStringList{QString::fromStdString((dir / "newconf.dat").string())});
}

TEST_F(FileDialogTest, EveryColumnOfTheListIsInView) {
    for (FileDialogMode mode : {FileDialogMode::Open, FileDialogMode::Save}) {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        setUpFileDialog(dialog, spec, mode);
        dialog.show();
        listed(dialog);
        // On a screen too small for the whole dialog (the offscreen screen at 200 %) the
        // dialog is bounded by the screen and its columns cannot all be in view.
        if (dialog.width() < 640) GTEST_SKIP() << "the screen has no room for the whole dialog";
        auto* view = dialog.findChild<QTreeView*>("treeView");
        ASSERT_NE(view, nullptr);
        QHeaderView* header = view->header();
        ASSERT_GE(header->count(), 4);  // name, size, type, date
        for (int c = 0; c < 4; ++c) {
            SCOPED_TRACE(c);
            EXPECT_FALSE(header->isSectionHidden(c));
            EXPECT_LE(header->sectionViewportPosition(c) + header->sectionSize(c),
                      view->viewport()->width());
            EXPECT_GE(header->sectionSize(c), header->sectionSizeHint(c));
            // No size, type or date is cut short.
            const QModelIndex root = view->rootIndex();
            for (int r = 0; c > 0 && r < view->model()->rowCount(root); ++r) {
                const QModelIndex cell = view->model()->index(r, c, root);
                EXPECT_GE(view->visualRect(cell).width(),
                          view->fontMetrics().horizontalAdvance(cell.data().toString()))
                    << cell.data().toString().toStdString();
            }
        }
        const QRect screen = QApplication::primaryScreen()->availableGeometry();
        EXPECT_LE(dialog.width(), screen.width());
        EXPECT_LE(dialog.height(), screen.height());
    }
}

}  // namespace
}  // namespace tobrisk
