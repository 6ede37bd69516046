// The log list with its buttons, the county lists and the score box.

#include "mainwindow/MainForm.h"

#include "core/AppState.h"
#include "core/NumberFormat.h"
#include "core/Preferences.h"
#include "core/forms/FormScaler.h"
#include "core/forms/HandlerOrder.h"
#include "core/forms/Navigation.h"
#include "entry/Scoring.h"
#include "mainwindow/LabelColors.h"
#include "platform/Colors.h"
#include "platform/Services.h"

#include <QApplication>
#include <QClipboard>
#include <QSet>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLocale>
#include <QMouseEvent>
#include <QScrollBar>

void MainForm::RefreshLogList()
{
    const qint32 count = m_log.count();
    const qint32 oldest = ListAllContacts == 1 || count < 20 ? 1 : count - 19;
    std::vector<qint32> records;
    records.reserve(size_t(std::max(0, count - oldest + 1)));
    for (qint32 n = count; n >= oldest; --n)
        records.push_back(n);
    showLogRecords(std::move(records));
}

void MainForm::showPreviousContacts(const std::vector<qint32>& records) { showLogRecords(records); }

void MainForm::showLogRecords(std::vector<qint32> records)
{
    // Fitting the columns measures every row shown; the same records with the same texts in
    // the same room keep the widths they were fitted to (a change of band or mode lists
    // the log again as it was).
    // The room is measured before the records go in, while the header keeps the height it
    // measured last (listing the records has it measure its titles again).
    const bool sameRecords = m_fittedLogList && m_fittedLogList->first == records;
    const int room = sameRecords ? logListRoom(int(records.size())) : 0;
    const bool fitted = sameRecords && m_fittedLogList->second == room;
    if (fitted && logModel->lists(records)) {
        // The same rows with the same texts: the list keeps them (laying out and painting
        // them all again would hold up the window on every band the radio reports), left as
        // listing them again leaves it: nothing chosen, scrolled where it was.
        ListView1->selectionModel()->clear();
        return;
    }
    logModel->setRecords(records);
    if (!fitted)
        fitLogColumns();
    m_fittedLogList.emplace(std::move(records), fitted ? room : logListRoom());
}

void MainForm::createListColumns()
{
    const double widthRatio = double(Width) / ReferenceScreenWidth;
    const double perPixel = screen().twipsPerPixelX();
    auto apply = [&](QTreeView* view, const std::vector<float>& designWidths) {
        Control* control = controlFor(view);
        control->ColumnWidths.clear();
        for (size_t i = 0; i < designWidths.size(); ++i) {
            const float twips = float(designWidths[i] * widthRatio);
            control->ColumnWidths.push_back(twips);
            view->header()->resizeSection(int(i), int(twips / perPixel));
            // A column of no width is not shown at all (the header would keep its least width).
            view->header()->setSectionHidden(int(i), twips <= 0);
        }
    };
    logModel->setColumns(logColumns());
    std::vector<float> logWidths;
    for (const LogColumn& c : logModel->columns())
        logWidths.push_back(c.designWidth);
    apply(ListView1, logWidths);
    // The spot list's columns; the spots themselves arrive with the spotting window.
    apply(spotArea->txtDX, {1040, 880, 2000, 0, 3400, 520, 600, 520});
}

void MainForm::fitLogColumns()
{
    // The design widths are the least a column gets; one whose title or text does not fit
    // in the font on screen is widened to it. Where the design widths and the widened ones
    // add up to more than the list is wide (the rover's tenth column), the columns with room
    // to spare narrow toward their text, so every column shows without scrolling sideways.
    const Control* control = controlFor(ListView1);
    const double perPixel = screen().twipsPerPixelX();
    QHeaderView* header = ListView1->header();
    const QAbstractItemView* view = ListView1;
    const int count = std::min(header->count(), int(control->ColumnWidths.size()));
    std::vector<int> least;
    std::vector<int> needed;
    for (int i = 0; i < count; ++i) {
        least.push_back(int(std::lround(control->ColumnWidths[size_t(i)] / perPixel)));
        needed.push_back(std::max(header->sectionSizeHint(i), view->sizeHintForColumn(i)));
    }
    const std::vector<int> widths = fitColumnWidths(least, needed, logListRoom());
    for (int i = 0; i < count; ++i)
        header->resizeSection(i, widths[size_t(i)]);
}

int MainForm::logListRoom() const { return logListRoom(logModel->rowCount()); }

int MainForm::logListRoom(int rows) const
{
    // The inside of the list's frame, less the vertical scroll bar when the rows need it.
    const int frame = 2 * ListView1->frameWidth();
    const int rowsRoom = ListView1->height() - frame - ListView1->header()->sizeHint().height();
    const int rowsHeight = std::max(ListView1->sizeHintForRow(0), 0) * rows;
    int room = ListView1->width() - frame;
    if (rowsHeight > rowsRoom)
        room -= ListView1->verticalScrollBar()->sizeHint().width();
    return room;
}

void MainForm::cmdList_Click()
{
    if (ListAllContacts == 1) {
        cmdList->setText(QStringLiteral("Last 20"));
        ListAllContacts = 0;
    } else {
        cmdList->setText(QStringLiteral("All"));
        ListAllContacts = 1;
    }
    RefreshLogList();
    txtCall->setFocus();
}

void MainForm::cmdDup_Click()
{
    setBackground(lblDupe, ColorButtonFace);
    if (PartialDupesOn == 1) {
        PartialDupesOn = 0;
        cmdDup->setText(QStringLiteral("Off"));
    } else {
        PartialDupesOn = 1;
        cmdDup->setText(QStringLiteral("On"));
    }
    txtCall->setFocus();
}

void MainForm::ListView1_Click() { showRecordButtons(); }

void MainForm::ListView1_LostFocus() { showRecordButtons(); }

void MainForm::showRecordButtons()
{
    if (logModel->rowCount() == 0)
        return;
    cmdEdit->show();
    cmdDelete->show();
}

// The next contact is typed at once: the call field takes the focus before the buttons go,
// since a hidden button that had it would hand it on to the county lists, whose type-ahead
// and refill would then swallow the keys or pick a county.
void MainForm::hideRecordButtons()
{
    txtCall->setFocus();
    cmdEdit->hide();
    cmdDelete->hide();
}

void MainForm::ListView1_MouseUp(Qt::MouseButton button)
{
    if (button == Qt::RightButton && logModel->rowCount() > 0)
        cmdEdit_Click();
}

bool MainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ListView1->viewport() && event->type() == QEvent::MouseButtonRelease) {
        ListView1_Click();
        ListView1_MouseUp(static_cast<QMouseEvent*>(event)->button());
    }
    if (watched == ListView1 && event->type() == QEvent::FocusOut) {
        // Another window or a menu coming to the front does not leave the list.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            HandlerOrder::runFocusHandler(ListView1, [this] { ListView1_LostFocus(); });
    }
    return Form::eventFilter(watched, event);
}

void MainForm::cmdEdit_Click()
{
    const QModelIndex selected = ListView1->currentIndex();
    if (!selected.isValid() || !m_log.loaded()) {
        hideRecordButtons();
        return;
    }
    EditEntryIndex = logModel->recordAt(selected.row());
    context().navigation.editContact(EditEntryIndex, [this] { cmdDelete_Click(); });
    hideRecordButtons();
    QString error;
    if (!m_log.rewrite(&error)) {
        // The reload brings back what log.txt still holds, so the window shows what is saved.
        context().services.dialogs->messageBox(QStringLiteral("The contact was not changed.\r\n\r\n") + error,
                                               QStringLiteral("Unable to write file."));
    }
    ReloadLog();
}

void MainForm::cmdDelete_Click()
{
    const int row = ListView1->currentIndex().isValid() ? ListView1->currentIndex().row() : -1;
    const auto answer = context().services.dialogs->messageBox(
        QStringLiteral("Are you sure?"), QStringLiteral("Are you sure?"), Dialogs::Buttons::YesNo);
    hideRecordButtons();
    if (answer != Dialogs::Answer::Yes || row < 0 || !m_log.loaded())
        return;
    QString error;
    if (!m_log.remove(logModel->recordAt(row), &error)) {
        context().services.dialogs->messageBox(QStringLiteral("The contact was not deleted.\r\n\r\n") + error,
                                               QStringLiteral("Unable to write file."));
        return;
    }
    ReloadLog();
    hideRecordButtons();
}

void MainForm::mnuCopyListtoClipboard_Click()
{
    QApplication::clipboard()->setText(logModel->clipboardText());
}

void MainForm::mnuListPrevious_Click()
{
    StationData& s = context().state.station;
    s.ListPreviousContacts = mnuListPrevious->isChecked() ? 1 : 0;
    SavePrefFile(context().state, context().services.fileWriter.get());
}

void MainForm::fillCountyLists()
{
    const AppState& state = context().state;
    const QStringList& worked = m_log.tally().workedCounties();
    const qint32 count = qint32(state.tables.CountyCount);
    // A reload after a change of band or mode finds the counties as they were: the lists keep
    // their items (sorting and laying out a few thousand again would hold the window up on
    // every band the radio reports) and are left as a refill leaves them, nothing chosen.
    const auto& abbrevs = state.tables.CountyAbbrev;
    const qsizetype rows = std::clamp<qsizetype>(count, 0, qsizetype(abbrevs.size()) - 1);
    const std::vector<QString> tableNow(abbrevs.begin() + 1, abbrevs.begin() + 1 + rows);
    if (m_countyListsFrom && m_countyListsFrom->first == worked && m_countyListsFrom->second == tableNow) {
        for (SortedListBox* list : {countiesToGo, List2})
            list->leaveAsRefilled();
        setCountyCaptions();
        return;
    }
    // Each county worked takes the first abbreviation equal to it without case off the table.
    QSet<QString> toTake;
    for (const QString& county : worked)
        toTake.insert(county.toCaseFolded());
    QStringList table;
    for (const QString& abbrev : tableNow) {
        if (!toTake.remove(abbrev.toCaseFolded()))
            table << abbrev;
    }
    countiesToGo->setItems(table);
    List2->setItems(worked);
    m_countyListsFrom.emplace(worked, tableNow);
    setCountyCaptions();
}

void MainForm::updateCountyListsFor(const QString& county)
{
    m_countyListsFrom.reset();
    if (List2->find(county) < 0)
        List2->AddItem(county);
    const int toGo = countiesToGo->find(county);
    if (toGo >= 0)
        countiesToGo->RemoveItem(toGo);
    setCountyCaptions();
}

void MainForm::ShowScore()
{
    const double dx = m_profile.inState ? double(m_log.tally().dxCountries().size()) : 0;
    const ScoreFigures figures = scoreFigures(context().state.score, dx);
    const QChar group = QLocale().groupSeparator().front();
    lblTotCon->setText(formatWhole(figures.phoneContacts, group, false));
    lblsectogo->setText(formatWhole(figures.cwAndDigitalContacts, group, false));
    lblTotSec->setText(formatWhole(figures.multipliers, group, false));
    lblTotScore->setText(formatWhole(figures.score, group, false));
}
