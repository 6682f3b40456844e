// The help viewer.
#include "ui/HelpWindow.h"

#include <QEvent>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <filesystem>

#include "paper/Fonts.h"
#include "paper/QtText.h"
#include "settings/ProgramDir.h"
#include "ui/Colors.h"
#include "ui/MessageBox.h"

namespace talpo {

std::string HelpFileName(const std::string& programFile) {
    std::filesystem::path beside(programFile);
    beside.replace_extension(".hlp");
    std::error_code error;
    if (std::filesystem::is_regular_file(beside, error)) return beside.string();
    // An installed copy's help file stands with its other shared files.
    const std::string shared = SharedDataDir(programFile) + beside.filename().string();
    if (std::filesystem::is_regular_file(shared, error)) return shared;
    // Neither: the warning names the place a copy of its own would have it.
    return beside.string();
}

THelpWindow::THelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("HelpWindow");
    setWindowTitle(U("TALPO ヘルプ"));
    setFont(MakePGothicFont(12));
    resize(640, 560);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("HelpBrowser");
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    FitLinkColours();
    // A window of its own has no close button within reach of the keys otherwise.
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }
}

// A dark theme's ground under the default dark blue links: a link colour that would not read takes a light
// blue there (a dark one on a light ground). The document takes link colours when it reads the page, not from
// the browser's palette, so the colour goes in its style sheet and a page already shown is read again.
void THelpWindow::FitLinkColours() {
    const QPalette theme = palette();
    const QColor ground = theme.color(QPalette::Base);
    const QColor link = theme.color(QPalette::Link);
    const QColor shown = ReadableOn(link, ground) == link ? link
                         : ground.lightness() < 128       ? QColor(138, 180, 248)
                                                          : QColor(0, 0, 192);
    const QString sheet = QStringLiteral("a { color: %1; }").arg(shown.name());
    if (browser_->document()->defaultStyleSheet() == sheet) return;
    browser_->document()->setDefaultStyleSheet(sheet);
    if (!browser_->source().isEmpty()) browser_->reload();
}

void THelpWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) FitLinkColours();
}

bool THelpWindow::ShowContents(const std::string& helpFile, QWidget* owner) {
    return ShowSection(helpFile, QStringLiteral("contents"), owner);
}

bool THelpWindow::ShowSection(const std::string& helpFile, const QString& anchor, QWidget* owner) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(helpFile, error)) {
        ShowMessageBox(owner, QMessageBox::Warning, U("警告"),
                       U("ヘルプファイル %1 が見つかりません").arg(QString::fromStdString(helpFile)));
        return false;
    }
    // The extension says nothing about the content, so the type is named here.
    browser_->setSource(QUrl::fromLocalFile(QString::fromStdString(helpFile)), QTextDocument::HtmlResource);
    browser_->verticalScrollBar()->setValue(0);
    browser_->scrollToAnchor(anchor);
    // Placed by the program the first time, beside nothing: a window manager's corner may lie under the grid.
    if (!placed_) {
        placed_ = true;
        move(CentredBoxPlace(owner, frameGeometry().size()));
    }
    show();
    raise();
    activateWindow();
    return true;
}

}  // namespace talpo
