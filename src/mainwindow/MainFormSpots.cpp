// The window's side of the spot area at its foot: it hosts the panel, passes on what the
// spotting window sends through Form1, and lets the panel reach the entry line.

#include "mainwindow/MainForm.h"

#include "spots/windows/BandMap.h"

#include <QCoreApplication>
#include <QKeyEvent>

void MainForm::buildSpotArea()
{
    SpotAreaPanel::Hooks hooks;
    hooks.takeCall = [this](const QString& call) { takeChosenCall(call); };
    hooks.focusCall = [this] { txtCall->setFocus(); };
    hooks.moveOnFromCall = [this] {
        QCoreApplication::postEvent(txtCall,
                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t")));
    };
    hooks.fitLists = [this] { FitListHeights(); };
    hooks.showSpotHint = [this](const QString& text) { lblDupe->setText(text); };
    spotArea = new SpotAreaPanel(*this, {120, 5820, 6120, 1140}, std::move(hooks));
}

void MainForm::BandMapSpots(const QString& qDXSpotCall, const QString& qDXSpotFreq, const QString& qDXSpotRecord)
{
    spotArea->BandMapSpots(qDXSpotCall, qDXSpotFreq, qDXSpotRecord);
}

void MainForm::DisplayBandMapLabels() { spotArea->DisplayBandMapLabels(); }

void MainForm::PacketResize() { spotArea->PacketResize(); }

bool MainForm::event(QEvent* event)
{
    const bool handled = Form::event(event);
    if (event->type() == QEvent::WindowActivate && spotArea)
        spotArea->RefreshBandMapIfShown();
    return handled;
}

void MainForm::takeChosenCall(const QString& call)
{
    txtCall->setFocus();
    txtCall->setText(call);
}

void MainForm::chooseCall(const QString& call) { takeChosenCall(call); }
