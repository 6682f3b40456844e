// The results window's 戦略 tab: the user's strategies in a list (each with a check box that puts it in the
// comparison; the default one of every ticket first and for good), an editor of the selected one with every
// key of the strategies file, the split date, and インポート…/エクスポート…. The strategies are kept in
// strategies.toml in the settings folder, read when the panel is given the folder and written on each change.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "backtest/Strategy.h"

class QCheckBox;
class QDateEdit;
class QGridLayout;
class QGroupBox;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace talpo {

// The panel's dialogs; tests put in their own. An empty member keeps the real one.
struct TStrategyPanelHooks {
    // A file to read, or nothing when cancelled.
    std::function<std::optional<std::string>(QWidget* parent, const QString& title, const QString& filter)>
        ChooseOpenFile;
    // A file to write into, or nothing.
    std::function<std::optional<std::string>(QWidget* parent, const QString& title, const QString& filter)>
        ChooseSaveFile;
    // A strategy's new name (UTF-8), or nothing.
    std::function<std::optional<std::string>(QWidget* parent, const QString& title, const std::string& name)>
        AskName;
};

// From–to spin boxes of a range condition; both blank is no condition.
struct TRangeBoxes {
    QSpinBox* From = nullptr;
    QSpinBox* To = nullptr;
};

class TStrategyPanel : public QWidget {
    Q_OBJECT

public:
    explicit TStrategyPanel(QWidget* parent = nullptr, TStrategyPanelHooks hooks = {});

    // Reads folder + strategies.toml (folder ends in "/"). A file that cannot be read is reported with its
    // line and left alone; the panel then holds the default strategy only, and the first change keeps the
    // bad file as strategies.toml.bad before writing the panel's strategies in its place.
    void Load(const std::string& folder);
    std::string FilePath() const;

    const std::vector<Strategy>& Strategies() const { return strategies_; }
    // Those whose check box is on, in the list's order.
    std::vector<Strategy> CheckedStrategies() const;
    // YYYYMMDD with 期間で分ける on, else empty.
    std::string Split() const;

    // What the last run found: the classes of its races (CP932) for the class condition, and the middle
    // date of its days (YYYYMMDD), the split date until the user picks another.
    void SetRunFacts(const std::vector<std::string>& classes, const std::string& middleDate);

    // Commands; each runs its work under the general error report.
    void AddBtnClick();
    void DuplicateBtnClick();
    void RenameBtnClick();
    void DeleteBtnClick();
    void MoveBtnClick(int by);
    void ImportBtnClick();
    void ExportBtnClick();

    QListWidget* List = nullptr;
    QPushButton* AddBtn = nullptr;
    QPushButton* DuplicateBtn = nullptr;
    QPushButton* RenameBtn = nullptr;
    QPushButton* DeleteBtn = nullptr;
    QPushButton* UpBtn = nullptr;
    QPushButton* DownBtn = nullptr;
    QPushButton* ImportBtn = nullptr;
    QPushButton* ExportBtn = nullptr;
    QCheckBox* SplitCheck = nullptr;
    QDateEdit* SplitDate = nullptr;
    QGroupBox* Editor = nullptr;
    std::array<QCheckBox*, 4> BetChecks{};
    QSpinBox* PlacesBox = nullptr;
    QSpinBox* PairsBox = nullptr;
    std::vector<QCheckBox*> VenueChecks;  // the ten national courses in their order
    std::array<QCheckBox*, 2> SurfaceChecks{};
    std::vector<QCheckBox*> ClassChecks;
    TRangeBoxes Distance, Runners, RaceNo, TopIndex;
    QSpinBox* GapBox = nullptr;  // ◎ minus ○ at least
    std::array<QCheckBox*, 12> MonthChecks{};

signals:
    // The strategies, their check boxes, their order or the split changed: the figures are to be made again.
    void StrategiesChanged();

private:
    QWidget* BuildList();
    void ConnectList();
    QWidget* BuildEditor();
    QWidget* BuildConditions();
    void ConnectEditor();
    void FillList(int select);
    void FillEditor();
    void FillClasses();
    void EditorChanged();
    Strategy FromEditor(const Strategy& before) const;
    int Selected() const;
    void Changed();
    void Save();
    std::string UniqueName(const std::string& wanted) const;

    TStrategyPanelHooks hooks_;
    std::string folder_;
    std::vector<Strategy> strategies_;
    std::vector<bool> checked_;
    std::vector<std::string> runClasses_;  // CP932
    QGridLayout* classGrid_ = nullptr;
    bool badFile_ = false;  // the file at start could not be read and is not yet kept aside
    bool filling_ = false;  // the editor is being set from a strategy, not by the user
};

}  // namespace talpo
