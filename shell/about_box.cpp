#include "about_box.h"

#include "error_box.h"
#include "form_style.h"
#include "text_lines.h"
#include "working_dir.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QVBoxLayout>

namespace vorlan {

TfmAbout::TfmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmAbout"));
    setWindowTitle(QStringLiteral("Справка"));
    // Fixed: a drag at the border snaps back to 200 by 200.
    setFixedSize(200, 200);

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
}

void TfmAbout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) RunHandler(this, [this] { FormShow(); });
}

void TfmAbout::FormShow() {
    const QString path = WorkingDirFile(QStringLiteral("about.txt"));
    if (QFile::exists(path)) memAbout->setPlainText(LoadLines(path).join(u'\n'));
}

}  // namespace vorlan
