// The help viewer. The help file lies next to the program under the program's name with the extension
// ".hlp" (an installed copy's in ../share/talpo/); it is an HTML document, shown in a window of its own at
// its table of contents.
#pragma once

#include <QWidget>
#include <string>

class QTextBrowser;

namespace talpo {

// The program file's path with its extension replaced by ".hlp" ("X" and "X.EXE" both give "X.hlp"); when
// no such file exists but the program's SharedDataDir holds one of that name, that one.
std::string HelpFileName(const std::string& programFile);

class THelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit THelpWindow(QWidget* parent = nullptr);

    // Shows `helpFile` (a file-system path) at its table of contents: the anchor "contents" when the
    // document has one, else its top. A missing file gets a warning naming the path, with `owner` as the
    // box's parent, and false.
    bool ShowContents(const std::string& helpFile, QWidget* owner);
    // The same at the section `anchor` (the results window's F1 opens "backtest").
    bool ShowSection(const std::string& helpFile, const QString& anchor, QWidget* owner);

    QTextBrowser* Browser() const { return browser_; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void FitLinkColours();

    QTextBrowser* browser_;
    bool placed_ = false;
};

}  // namespace talpo
