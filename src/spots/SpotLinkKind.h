#pragma once

// The kinds of spot link, one row each in one table that the spot session and the spotting
// window both read: the name the window lists and PackSpot.txt keeps, the source the session
// makes for it, its help, the send box's caption and the settings the window enables for it.
// "None" is a kind like the others, with the null source. A new kind of link is its source's
// class and one row here.

#include "platform/SerialPort.h"
#include "platform/TcpLink.h"
#include "spots/SpotSource.h"

#include <QChar>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

// What the sources' links are made with.
struct SpotLinkDevices {
    std::function<std::unique_ptr<SerialPort>()> makeSerialPort;
    std::function<std::unique_ptr<TcpLink>()> makeTcpLink;
    // Where the packet engine listens, as agwAddress reads it; asked when its source is made.
    std::function<QString()> agwAddress;
};

// The groups of the spotting window's settings that a kind enables, once the window has
// disabled them all.
struct SpotLinkControls {
    // The display choice, List DX Only, the send box and its caption, Open and Close.
    bool link = false;
    // The serial port's settings and the command character. Their buttons are set before
    // they are enabled: to the TNC's defaults when the operator chooses the kind, to the
    // saved ones when the window restores it (and not at all when the saved port names no
    // button). Each opening reads them.
    bool serial = false;
    // The telnet host and port.
    bool telnet = false;
};

struct SpotLinkKind {
    QString name;
    std::function<std::unique_ptr<SpotSource>(const SpotLinkDevices&)> makeSource;
    // False for "None" alone: nothing opens, and the main window's spot area closes.
    bool links = true;
    // The kind's own paragraphs of the help; "None"'s are the general ones, which come before
    // every link kind's (spotHelpText adds the closing ones).
    QStringList help;
    // Its help ends with the note on the hardware the code was tried with.
    bool hardwareNote = false;
    // Where its paragraphs stand in the overview that "None" shows.
    int overviewPlace = 0;
    // The send box's caption; empty leaves the caption as it was.
    QString sendCaption;
    SpotLinkControls enables;
    // What Esc types in the send box; nothing where it is null.
    QChar escapeTypes;
};

// Every kind, in the order the spotting window lists them; "None" first.
const std::vector<SpotLinkKind>& spotLinkKinds();
const SpotLinkKind& noSpotLink();
// The row of the kind of that name, any letter case; -1 for any other text.
int spotLinkKindRow(const QString& name);
// The kind of that name, any letter case; nothing for any other text.
const SpotLinkKind* findSpotLinkKind(const QString& name);
// The kind of that name, any letter case; "None" for any other text.
const SpotLinkKind& spotLinkKind(const QString& name);
