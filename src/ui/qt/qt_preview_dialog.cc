#include "ui/qt/qt_preview_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/qt/qt_layout.h"

namespace ql2 {
namespace {

// The dialog's size as it opens, in device-independent pixels: room for the report's diffs.
constexpr int kWidth = 720;
constexpr int kHeight = 540;
// The share of the screen's available area it takes at most.
constexpr double kScreenShare = 0.9;
// The files' list shows this many rows at most without scrolling.
constexpr int kMostFileRows = 6;
constexpr int kListPadding = 4;

QLabel* AddLabel(QVBoxLayout* layout, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(label);
  return label;
}

}  // namespace

void ShowPreviewDialog(QWidget* owner, const PreviewView& preview) {
  QDialog dialog(owner);
  dialog.setObjectName(kPreviewDialogName);
  dialog.setWindowTitle(ToQString(preview.title));
  dialog.setModal(true);
  auto* layout = new QVBoxLayout(&dialog);

  QLabel* heading = AddLabel(layout, ToQString(preview.heading), &dialog);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  AddLabel(layout, ToQString(preview.summary), &dialog)->setObjectName(kPreviewSummaryName);

  if (!preview.files.empty()) {
    QLabel* label = AddLabel(layout, ToQString(preview.files_label), &dialog);
    auto* files = new QTreeWidget(&dialog);
    files->setObjectName(kPreviewFilesName);
    files->setColumnCount(2);
    files->setHeaderHidden(true);
    files->setRootIsDecorated(false);
    files->setAccessibleName(label->text());
    for (const PreviewFile& file : preview.files) {
      new QTreeWidgetItem(files, {ToQString(file.action), ToQString(file.name)});
    }
    files->resizeColumnToContents(0);
    // As high as its rows, up to a few; the report takes the rest.
    const int rows = std::min(files->topLevelItemCount(), kMostFileRows);
    files->setFixedHeight(rows * files->sizeHintForRow(0) + 2 * files->frameWidth() + kListPadding);
    label->setBuddy(files);
    layout->addWidget(files);
  }
  if (!preview.report.empty()) {
    QLabel* label = AddLabel(layout, ToQString(preview.report_label), &dialog);
    auto* report = new QPlainTextEdit(ToQString(preview.report), &dialog);
    report->setObjectName(kPreviewReportName);
    report->setReadOnly(true);
    report->setLineWrapMode(QPlainTextEdit::NoWrap);
    report->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    report->setAccessibleName(label->text());
    label->setBuddy(report);
    layout->addWidget(report, 1);
  }
  AddLabel(layout, ToQString(preview.note), &dialog);

  // Escape and the close box reject the dialog, as its one button does.
  auto* buttons = new QDialogButtonBox(&dialog);
  QPushButton* close =
      buttons->addButton(ToQString(preview.close_caption), QDialogButtonBox::RejectRole);
  close->setDefault(true);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);

  QSize size(kWidth, kHeight);
  if (QScreen* screen = owner != nullptr ? owner->screen() : nullptr) {
    const QSize room = screen->availableGeometry().size() * kScreenShare;
    size = size.boundedTo(room);
  }
  dialog.resize(size);
  close->setFocus();
  dialog.exec();
}

}  // namespace ql2
