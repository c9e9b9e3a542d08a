#pragma once
// The banded report engine: prints bands onto pages. The page header chain starts every page,
// detail bands (with their children) fill the page columns from the top, the page footer
// chain closes every page at its bottom. Finished pages go to the page store as they are
// completed, so a viewer can show the first page while the rest is being made.
#include "engine/Band.h"
#include "engine/PageSetup.h"

#include <vector>

class TPageStore;

// The events a report receives while it prints.
class TReportEvents
{
public:
    virtual ~TReportEvents() = default;
    // A page begins; its header has not printed yet.
    virtual void StartPage() {}
    // Whether the band prints this time (the band may be changed first).
    virtual bool BeforePrint(TBand &) { return true; }
    // After a band's turn, told whether it printed.
    virtual void AfterPrint(TBand &, bool) {}
    // A label is about to print; its text may be replaced for this printing only.
    virtual void OnPrintLabel(const TBandItem &, QString &) {}
};

class TReportEngine
{
public:
    TReportEngine(TPageStore &store, TReportEvents &events);

    // Paper, margins and page columns; set before the first band prints.
    const TPageSetup &Setup() const { return m_setup; }
    void SetPageSetup(const TPageSetup &setup) { m_setup = setup; }
    // The bands that start and close every page, each with its child chain; null for none.
    void SetPageBands(TBand *pageHeader, TBand *pageFooter)
    {
        m_pageHeader = pageHeader;
        m_pageFooter = pageFooter;
    }

    // Prints a detail band and then its children, each as its before-print event allows.
    void PrintBand(TBand &band);
    // Ends the current page; the next band starts a new one. A page holding no detail yet
    // is kept, so no blank pages come of it.
    void NewPage();
    // Moves to the next page column, or to a new page after the last one.
    void NextColumn();
    // The page footer's height is measured again (a footer band was enabled or resized).
    void RecomputeFooterSpace();
    // Closes the last page (a report without any band gets one page with header and footer).
    void Finish();

    int PagesMade() const { return m_pagesMade; }
    int CurrentColumn() const { return m_column; }
    bool PageOpen() const { return m_pageOpen; }
    // Page y where the next detail band goes.
    int CurrentY() const { return m_y; }

private:
    void startPage();
    void closePage();
    bool printChain(TBand *first, int x, int width, bool fitCheck);
    void render(const TBand &band, int x, int y, int width);
    void renderItem(const TBandItem &item, int x, int y, int bandWidth);
    int footerHeight() const;
    int bottomLimit() const;
    quint16 fontIndex(const TFontSpec &font);

    TPageStore &m_store;
    TReportEvents &m_events;
    TPageSetup m_setup;
    TBand *m_pageHeader = nullptr;
    TBand *m_pageFooter = nullptr;
    TPage m_page;
    bool m_pageOpen = false;
    bool m_detailOnPage = false;
    int m_pagesMade = 0;
    int m_column = 0;
    int m_y = 0;
    int m_columnTop = 0;
    int m_footerSpace = 0;
    std::vector<std::pair<TFontSpec, quint16>> m_fonts;
    std::vector<std::pair<qint64, quint16>> m_images;
};
