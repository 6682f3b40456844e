// Print preview and PDF saving of the loaded day, both drawn by the paper layer.
#include "ui/PrintDay.h"

#include <QFile>
#include <QFileDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <exception>

#include "common/UserFile.h"
#include "output/OutFile.h"
#include "paper/DayPages.h"

namespace talpo {

void PreviewDayPrint(QWidget* parent, const TDay& day) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("TALPO"));
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName("PrintPreview");
    preview.setWindowTitle(QString::fromUtf8("印刷プレビュー"));
    // A page read at its width on the whole screen, not a small window at a third of the size.
    if (auto* pages = preview.findChild<QPrintPreviewWidget*>())
        pages->setZoomMode(QPrintPreviewWidget::FitToWidth);
    preview.setWindowState(preview.windowState() | Qt::WindowMaximized);
    // The paint handler runs inside Qt: a race that cannot be drawn ends the preview's pages there, and
    // its error comes back once the preview is closed.
    std::exception_ptr failed;
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&day, &failed](QPrinter* p) {
        try {
            PaintDay(*p, day);
        } catch (...) {
            failed = std::current_exception();
        }
    });
    preview.exec();
    if (failed) std::rethrow_exception(failed);
}

std::string SaveDayPdf(QWidget* parent, const TDay& day, const std::string& outputDir,
                       const std::vector<std::string>& dayFiles) {
    const std::string suggested = OutputFilePath(outputDir, PdfFileName(day));
    QFileDialog dialog(parent, QString::fromUtf8("PDF に保存"), QFile::decodeName(suggested.c_str()),
                       QString::fromUtf8("PDF ファイル (*.pdf)"));
    dialog.setObjectName("PdfSaveDialog");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.resize(760, 440);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const std::string path = QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
    std::vector<RunFile> inputs;
    for (const std::string& file : dayFiles) inputs.push_back({"読み込んだ日のファイル", file});
    RefuseSaveOverInput(path, inputs);
    WriteUserFile(path, DayPdf(day));
    return path;
}

}  // namespace talpo
