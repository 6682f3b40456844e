// A prediction window opened on a day written into the fixture's input folder, with lookups of its
// widgets by name.
#pragma once

#include <gtest/gtest.h>

#include <QLabel>
#include <memory>

#include "WindowTestSupport.h"
#include "paper/QtText.h"
#include "ui/StrCGrid.h"
#include "ui/YosoMain.h"

namespace talpo::test {

class YosoFormTestBase : public ::testing::Test {
protected:
    void OpenDay(const UiDay& day) {
        day.WriteTo(f.App.InputDir);
        Open();
    }
    void Open() {
        if (!form) form = std::make_unique<TYosoForm>(f.App);
        form->Open();
    }

    template <typename T>
    T* Find(const char* name) const {
        T* widget = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QString LabelText(const char* name) const { return Find<QLabel>(name)->text(); }
    TStrColGrid& Grid(const char* name) const { return *Find<TStrColGrid>(name); }
    QString Cell(const char* grid, int col, int row) const { return Grid(grid).Cells(col, row); }
    int Race() const { return form->Day()->Denma->RaceIndex; }

    WindowFixture f;
    std::unique_ptr<TYosoForm> form;
};

}  // namespace talpo::test
