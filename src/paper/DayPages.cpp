// The day's pages on a paged device, and the PDF made in memory.
#include "paper/DayPages.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageRanges>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "day/DayTitle.h"
#include "output/OutFile.h"
#include "paper/RaceCardPage.h"

namespace talpo {

void PaintDay(QPagedPaintDevice& device, const TDay& day) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kPageMarginMm, kPageMarginMm, kPageMarginMm, kPageMarginMm),
                                     QPageLayout::Millimeter));
    // A printer's own margins may be wider than the cards': the page is laid out in what it leaves.
    const QSizeF area = device.pageLayout().paintRect(QPageLayout::Point).size();
    const double unitsPerPoint = device.logicalDpiX() / 72.0;
    const QPageRanges chosen = device.pageRanges();
    QPainter painter(&device);
    bool first = true;
    for (int race = 0; race < day.Denma->RaceCount; ++race) {
        if (!chosen.isEmpty() && !chosen.contains(race + 1)) continue;
        if (!first) device.newPage();
        first = false;
        PaintItems(painter, LayOutRaceCard(MakeRaceCardSheet(day, race), area), unitsPerPoint);
    }
}

std::string DayPdf(const TDay& day) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("TALPO"));
        writer.setTitle(QStringLiteral("TALPO"));
        PaintDay(writer, day);
    }
    return buffer.data().toStdString();
}

std::string PdfFileName(const TDay& day) {
    std::string name;
    for (const std::string& venue : DayVenues(*day.Yoso, day.Denma->RaceCount)) name += venue;
    return name + ShortDate(day.Yoso->Race(0).RaceDate.Get()) + ".pdf";
}

}  // namespace talpo
