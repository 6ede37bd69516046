#include "platform/QtDialogs.h"

#include "platform/Colors.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QSpacerItem>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>
#include <QWindow>

QtDialogs::QtDialogs()
{
    QObject::connect(qApp, &QApplication::focusChanged, &m_watch, [this] {
        if (QWidget* active = QApplication::activeWindow())
            m_lastActive = active;
    });
}

QWidget* QtDialogs::dialogParent() const
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    if (m_lastActive && m_lastActive->isVisible())
        return m_lastActive;
    return nullptr;
}

namespace {

QMessageBox::StandardButtons standardButtons(Dialogs::Buttons buttons)
{
    switch (buttons) {
    case Dialogs::Buttons::Ok: return QMessageBox::Ok;
    case Dialogs::Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Dialogs::Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Dialogs::Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon messageIcon(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::None: return QMessageBox::NoIcon;
    case Dialogs::Icon::Information: return QMessageBox::Information;
    case Dialogs::Icon::Warning: return QMessageBox::Warning;
    case Dialogs::Icon::Critical: return QMessageBox::Critical;
    case Dialogs::Icon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// A message box is as wide as its text, and the window manager cuts a longer title short
// ("Err…file"): the box is widened so its whole title shows, with room for the title bar's
// icon and buttons.
void makeRoomForTitle(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int titleBarExtras = 8 * QFontMetrics(titleFont).height();
    const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + titleBarExtras;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

// A box with no window of ours to stand over is centred on its screen, on its own. Left to
// itself, Qt makes a parentless box transient for whichever window last had the focus, and
// the window manager centres it over that one: on a busy machine that can be a box just
// closed or a window not placed yet, and the box lands in the screen's corner with its title
// bar off the screen. Its size is only known once its layout has run.
class MessageBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event);
        if (parentWidget() || !screen())
            return;
        if (QWindow* window = windowHandle())
            window->setTransientParent(nullptr);
        if (layout())
            layout()->activate();
        QRect placed(QPoint(0, 0), size());
        placed.moveCenter(screen()->availableGeometry().center());
        move(placed.topLeft());
    }
};

} // namespace

void QtDialogs::prepare()
{
    // A box never shown: making it looks its icon up and lays it out as the first real one
    // would; the style and the icon loader keep what they found for the run.
    for (const Icon icon : {Icon::Question, Icon::Information, Icon::Warning, Icon::Critical}) {
        QMessageBox box(messageIcon(icon), QStringLiteral(" "), QStringLiteral(" "), standardButtons(Buttons::YesNo));
        makeRoomForTitle(box);
        box.ensurePolished();
        box.adjustSize();
    }
}

Dialogs::Answer QtDialogs::messageBox(const QString& text, const QString& title, Buttons buttons,
                                      Icon icon)
{
    MessageBox box(messageIcon(icon), title, text, standardButtons(buttons), dialogParent());
    makeRoomForTitle(box);
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    }
}

std::optional<QString> QtDialogs::inputBox(const QString& prompt, const QString& title,
                                           const QString& defaultAnswer)
{
    bool ok = false;
    const QString answer =
        QInputDialog::getText(dialogParent(), title, prompt, QLineEdit::Normal, defaultAnswer, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

std::optional<quint32> QtDialogs::chooseColor(quint32 initial)
{
    const QColor chosen = QColorDialog::getColor(qcolorFromColorValue(initial), dialogParent());
    if (!chosen.isValid())
        return std::nullopt;
    return colorValueFromQColor(chosen);
}

std::optional<QString> QtDialogs::openFileName(const QString& title, const QString& folder,
                                               const QString& filter)
{
    const QString path = QFileDialog::getOpenFileName(dialogParent(), title, folder, filter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> QtDialogs::saveFileName(const QString& title, const QString& proposedPath,
                                               const QString& filter)
{
    const QString path = QFileDialog::getSaveFileName(dialogParent(), title, proposedPath, filter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}
