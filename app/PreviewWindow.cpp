#include "app/PreviewWindow.h"

#include "foundation/AppState.h"
#include "foundation/FontTranslation.h"
#include "foundation/LanguageTable.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QLabel>
#include <QProgressBar>
#include <QScrollArea>
#include <QStyle>
#include <QToolBar>

TfrmReportPreview::TfrmReportPreview(const QString &reportFileName, const QIcon &icon, QWidget *parent)
    : QMainWindow(parent)
    , ReportFileName(reportFileName)
{
    setObjectName(QStringLiteral("frmReportPreview"));
    setLayoutDirection(Qt::RightToLeft);
    setWindowIcon(icon);
    setWindowTitle(AdminMode && !reportFileName.isEmpty() ? FormatText(LookupText(145), {reportFileName})
                                                          : LookupText(1));

    auto *bar = addToolBar(QStringLiteral("tlbPreview"));
    bar->setMovable(false);
    bar->setIconSize(QSize(20, 20));
    auto action = [&](const char *name, QStyle::StandardPixmap pixmap, int hint) {
        QAction *a = bar->addAction(style()->standardIcon(pixmap), LookupText(hint));
        a->setObjectName(QLatin1String(name));
        a->setToolTip(LookupText(hint));
        return a;
    };
    btnPageUp = action("btnPageUp", QStyle::SP_ArrowUp, 3);
    btnPageDown = action("btnPageDown", QStyle::SP_ArrowDown, 2);
    btnScrollUp = action("btnScrollUp", QStyle::SP_MediaSeekBackward, 12);
    btnScrollStop = action("btnScrollStop", QStyle::SP_MediaStop, 11);
    btnScrollDown = action("btnScrollDown", QStyle::SP_MediaSeekForward, 10);
    btnFirstPage = action("btnFirstPage", QStyle::SP_MediaSkipBackward, 4);
    btnLastPage = action("btnLastPage", QStyle::SP_MediaSkipForward, 5);
    btnGraph = action("btnGraph", QStyle::SP_FileDialogInfoView, 75);
    gugProgress = new QProgressBar(bar);
    gugProgress->setObjectName(QStringLiteral("gugProgress"));
    gugProgress->setRange(0, 100);
    gugProgress->setMaximumWidth(120);
    gugProgress->setVisible(false);
    bar->addWidget(gugProgress);
    bar->addSeparator();
    btnPrint = action("btnPrint", QStyle::SP_DialogSaveButton, 6);
    btnOpen = action("btnOpen", QStyle::SP_DialogOpenButton, 7);
    btnSave = action("btnSave", QStyle::SP_DriveFDIcon, 8);
    btnMail = action("btnMail", QStyle::SP_MessageBoxInformation, 17);
    btnMail->setEnabled(false);
    cmbZoom = new QComboBox(bar);
    cmbZoom->setObjectName(QStringLiteral("cmbZoom"));
    cmbZoom->setEditable(true);
    cmbZoom->setLayoutDirection(Qt::LeftToRight);
    cmbZoom->addItems({QStringLiteral("200%"), QStringLiteral("150%"), QStringLiteral("100%"), LookupText(14), LookupText(15)});
    cmbZoom->setToolTip(LookupText(13));
    bar->addWidget(cmbZoom);
    pnlPage = new QLabel(QStringLiteral("0/0"), bar);
    pnlPage->setObjectName(QStringLiteral("pnlPage"));
    pnlPage->setMinimumWidth(60);
    pnlPage->setAlignment(Qt::AlignCenter);
    bar->addWidget(pnlPage);
    bar->addSeparator();
    btnClose = action("btnClose", QStyle::SP_DialogCloseButton, 9);

    qrPreview = new QScrollArea(this);
    qrPreview->setObjectName(QStringLiteral("qrPreview"));
    qrPreview->setBackgroundRole(QPalette::Dark);
    setCentralWidget(qrPreview);

    for (QAction *a : {btnPageUp, btnPageDown, btnScrollUp, btnScrollStop, btnScrollDown, btnFirstPage,
                       btnLastPage, btnGraph, btnPrint, btnSave})
        a->setEnabled(false);
    connect(btnOpen, &QAction::triggered, this, &TfrmReportPreview::openReport);
    connect(btnClose, &QAction::triggered, this, &QWidget::close);

    TranslateFormFonts(this);
    resize(900, 650);
}

void TfrmReportPreview::openReport()
{
    const QString file = QFileDialog::getOpenFileName(this, LookupText(7).trimmed(), QString(),
                                                      QStringLiteral("*.srp *.SRP *.qrp *.QRP"));
    if (file.isEmpty())
        return;
    m_requestedFile = file;
    close();
}

void TfrmReportPreview::closeEvent(QCloseEvent *event)
{
    Closing = true;
    QMainWindow::closeEvent(event);
}

void TfrmReportPreview::ShowModal()
{
    QEventLoop loop;
    setAttribute(Qt::WA_DeleteOnClose, false);
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    show();
    while (isVisible())
        loop.processEvents(QEventLoop::WaitForMoreEvents);
}
