#pragma once

// Whether every caption of a window fits the place it was given: a label's text (wrapped
// where the label wraps), a button's, an option's and a check box's caption, and a frame's
// title. Each one that does not is a test failure naming the text.

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QWidget>
#include <gtest/gtest.h>

inline QString withoutMnemonic(QString caption)
{
    caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return caption;
}

inline void expectCaptionsFit(const QWidget& window)
{
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->text().isEmpty() || label->textFormat() == Qt::RichText)
            continue;
        const QRect inside = label->contentsRect();
        if (label->wordWrap()) {
            EXPECT_LE(label->heightForWidth(label->width()), label->height())
                << "label too low for its text: " << label->text().toStdString();
        }
        const int widest = label->wordWrap() ? 0 : label->fontMetrics().horizontalAdvance(label->text());
        EXPECT_LE(widest, inside.width()) << "label too narrow: " << label->text().toStdString();
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (button->text().isEmpty() || !button->isVisibleTo(&window))
            continue;
        const int text = button->fontMetrics().horizontalAdvance(withoutMnemonic(button->text()));
        int needed = text;
        if (qobject_cast<const QRadioButton*>(button) || qobject_cast<const QCheckBox*>(button))
            needed = button->sizeHint().width();
        EXPECT_LE(needed, button->width()) << "caption wider than its control: " << button->text().toStdString();
        EXPECT_LE(button->fontMetrics().height(), button->height()) << button->text().toStdString();
    }
    for (const QGroupBox* frame : window.findChildren<QGroupBox*>()) {
        EXPECT_LE(frame->fontMetrics().horizontalAdvance(frame->title()), frame->width())
            << "frame title: " << frame->title().toStdString();
    }
}
