#include "about_box.h"

#include "error_box.h"
#include "form_style.h"
#include "text_lines.h"
#include "working_dir.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QMoveEvent>
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
    // A window manager that ignores the fixed size, or a resize ordered from
    // outside, leaves another size: it is set back too.
    if (size() != client) resize(client);
}

void TfmAbout::keyPressEvent(QKeyEvent* event) {
    // A plain window: Escape does not close it.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// The window manager frames the window after it is shown, and only then is
// the room known that the frame takes of the 200 by 200; a move or the
// activation that follows the framing brings the size in line with it.
void TfmAbout::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) FormResize();
}

void TfmAbout::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    FormResize();
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
