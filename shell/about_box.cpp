#include "about_box.h"

#include "error_box.h"
#include "form_style.h"
#include "text_lines.h"
#include "working_dir.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QVBoxLayout>
#include <QWindow>

namespace vorlan {

namespace {

constexpr QSize kAboutSize(200, 200);

}  // namespace

TfmAbout::TfmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmAbout"));
    setWindowTitle(QStringLiteral("Справка"));

    memAbout = new QPlainTextEdit;
    memAbout->setObjectName(QStringLiteral("memAbout"));
    memAbout->setReadOnly(true);
    memAbout->setFocusPolicy(Qt::NoFocus);
    memAbout->setTextInteractionFlags(Qt::NoTextInteraction);
    memAbout->setContextMenuPolicy(Qt::NoContextMenu);
    memAbout->setFrameShape(QFrame::NoFrame);
    memAbout->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memAbout->setFont(SerifFont(10, true));
    QPalette palette = memAbout->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
    palette.setColor(QPalette::Text, palette.color(QPalette::ToolTipText));
    memAbout->setPalette(palette);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(memAbout);

    FormCreate();
}

void TfmAbout::FormCreate() {
    FormResize();
}

void TfmAbout::FormResize() {
    // The frame is known once the window manager has framed the window; until
    // then the whole 200 by 200 is client area.
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const QSize client = kAboutSize.shrunkBy(frame);
    // Fixed, so that a drag at the border snaps back at once.
    if (minimumSize() != client || maximumSize() != client) setFixedSize(client);
}

void TfmAbout::keyPressEvent(QKeyEvent* event) {
    // A plain window: Escape does not close it.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfmAbout::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FormResize();
}

void TfmAbout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormResize();
    if (!event->spontaneous()) RunHandler(this, [this] { FormShow(); });
}

void TfmAbout::FormShow() {
    const QString path = WorkingDirFile(QStringLiteral("about.txt"));
    if (QFileInfo(path).isFile()) memAbout->setPlainText(LoadLines(path).join(u'\n'));
}

}  // namespace vorlan
