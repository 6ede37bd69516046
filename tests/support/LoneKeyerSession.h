#pragma once

// A keyer session for keyer windows tested on their own: made from the lone context's
// service doubles and put into its sessions, its "!" and echo going to the context's
// running main window as App sends them. Declare it after the context and before the
// windows, so that it outlives them.

#include "support/LoneWindowContext.h"

#include "keying/KeyerSession.h"

#include <vector>

struct LoneKeyerSession {
    explicit LoneKeyerSession(LoneWindowContext& lone)
        : session(lone.state.keyer, lone.state.tables, *lone.running.clock, *lone.running.parallelPort,
                  [&lone] { return lone.running.makeSerialPort(); },
                  [this, &lone] {
                      auto player = lone.running.makeWavePlayer();
                      players.push_back(player.get());
                      return player;
                  })
    {
        lone.sessions.keyer = &session;
        Form1& mainWindow = lone.navigation.form1();
        QObject::connect(&session, &KeyerSession::contactToLog, [&mainWindow] { mainWindow.MainsFromKeyer(); });
        QObject::connect(&session, &KeyerSession::mainWindowText,
                         [&mainWindow](const QString& text) { mainWindow.SetDialogCaption(text); });
    }

    // The session makes its voice player first, then its prompt player.
    WavePlayer& voicePlayer() { return *players.at(0); }
    WavePlayer& promptPlayer() { return *players.at(1); }

    std::vector<WavePlayer*> players;
    KeyerSession session;
};
