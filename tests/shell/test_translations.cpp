// Qt's own texts after start-up, whatever the locale: the file dialogs, the
// message box buttons and the edit fields' context menus read Russian.
#include "file_dialog.h"
#include "main_window.h"
#include "message_box.h"
#include "shell_fakes.h"
#include "start_up.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using namespace vorlan;
using namespace vorlan::testing;

namespace {

// Runs `inspect` on the first modal window that `show` opens, then closes it.
void WithModal(const std::function<void()>& show, const std::function<void(QWidget*)>& inspect) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        seen = true;
        inspect(modal);
        modal->close();
    });
    show();
    QVERIFY2(seen, "no modal window was shown");
}

QStringList ActionTexts(const QMenu& menu) {
    QStringList texts;
    for (const QAction* action : menu.actions()) {
        if (!action->isSeparator()) texts << action->text().section(u'\t', 0, 0);  // without the shortcut
    }
    return texts;
}

}  // namespace

class TranslationsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void fileDialogs_data();
    void fileDialogs();
    void messageBoxButtons();
    void contextMenus();

private:
    std::unique_ptr<TempWorkDir> dir_;
    std::unique_ptr<ShellForms> forms_;
};

void TranslationsTest::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    dir_ = std::make_unique<TempWorkDir>();
    forms_ = std::make_unique<ShellForms>(StartShell(*qApp));
}

void TranslationsTest::cleanupTestCase() {
    forms_.reset();
    dir_.reset();
}

void TranslationsTest::fileDialogs_data() {
    QTest::addColumn<FileDialogKind>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("accept");
    QTest::newRow("open") << FileDialogKind::Open << "Открыть" << "&Открыть";
    QTest::newRow("save") << FileDialogKind::Save << "Сохранить как" << "&Сохранить";
}

void TranslationsTest::fileDialogs() {
    QFETCH(FileDialogKind, kind);
    QFETCH(QString, title);
    QFETCH(QString, accept);
    FileDialog dialog(kind, forms_->fmMain.get(), "od");
    dialog.setInitialDir(dir_->path());
    WithModal([&] { QVERIFY(!dialog.execute()); }, [&](QWidget* modal) {
        QVERIFY(qobject_cast<QFileDialog*>(modal));
        QCOMPARE(modal->windowTitle(), title);
        QCOMPARE(Child<QLabel>(modal, "lookInLabel")->text(), QStringLiteral("Перейти к:"));
        QCOMPARE(Child<QLabel>(modal, "fileNameLabel")->text(), QStringLiteral("&Имя файла:"));
        QCOMPARE(Child<QLabel>(modal, "fileTypeLabel")->text(), QStringLiteral("Типы файлов:"));
        auto* buttons = Child<QDialogButtonBox>(modal, "buttonBox");
        QCOMPARE(buttons->button(kind == FileDialogKind::Open ? QDialogButtonBox::Open : QDialogButtonBox::Save)
                     ->text(), accept);
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Отмена"));
    });
}

void TranslationsTest::messageBoxButtons() {
    QMessageBox box(QMessageBox::Question, QString(), QStringLiteral("?"),
                    QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Отмена"));
    QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Да"));
    QCOMPARE(box.button(QMessageBox::No)->text(), QStringLiteral("&Нет"));
}

void TranslationsTest::contextMenus() {
    const QStringList expected{"&Отменить действие", "&Повторить действие", "&Вырезать", "&Копировать",
                               "В&ставить", "Удалить", "Выделить всё"};
    QLineEdit line(QStringLiteral("text"));
    const std::unique_ptr<QMenu> lineMenu(line.createStandardContextMenu());
    QCOMPARE(ActionTexts(*lineMenu), expected);

    QPlainTextEdit memo(QStringLiteral("text"));
    const std::unique_ptr<QMenu> memoMenu(memo.createStandardContextMenu());
    QCOMPARE(ActionTexts(*memoMenu), expected);
}

QTEST_MAIN(TranslationsTest)
#include "test_translations.moc"
