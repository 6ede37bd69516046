#include "spots/SpotLinkKind.h"

#include "spots/AgwEngine.h"
#include "spots/AgwLink.h"
#include "spots/NullSpotSource.h"
#include "spots/TelnetLink.h"
#include "spots/TncLink.h"

namespace {

std::vector<SpotLinkKind> makeKinds()
{
    SpotLinkKind none;
    none.name = QStringLiteral("None");
    none.makeSource = [](const SpotLinkDevices&) { return std::make_unique<NullSpotSource>(); };
    none.links = false;
    none.help = {
        QStringLiteral("Use this form to configure your DX spotting options.  After you make your selections, a list or "
                       "band map will display on the main form (as selected here) to keep you updated on the latest "
                       "packet spots."),
        QStringLiteral("The list will show the last 2-3 posts on the main form depending on your screen size.  The band "
                       "map will display the prefixes posted for your current band.  To see the whole call and "
                       "frequency, move your mouse over the prefix and observe either the tool tip or the Possible "
                       "Duplicates box."),
        QStringLiteral("The program keeps the last 50 DX posts regardless of band in memory. Your band map will cycle "
                       "through these posts as they are received.  Posts received within the last 10 minutes will be "
                       "yellow; posts 10-30 minutes old will be white and posts 30-60 minutes old will be gray."),
        QStringLiteral("If you are using the program's rig control features, you can right click any spot displayed on "
                       "the main form's band map or HF spectrum map to tune your rig to the spot frequency. Right "
                       "clicking will not change frequency when displaying the DX spots in list mode."),
    };
    none.hardwareNote = true;

    SpotLinkKind tnc;
    tnc.name = QStringLiteral("TNC");
    tnc.makeSource = [](const SpotLinkDevices& devices) { return std::make_unique<TncLink>(devices.makeSerialPort()); };
    tnc.help = {
        QStringLiteral("To use a Packet TNC, you will have to check your modem documentation for the proper serial port "
                       "settings.  Use either Crtl C or the Esc key to send the Hex character to put your TNC in "
                       "command mode (you do not have to press enter to send the Hex character).  Otherwise, just type "
                       "and press enter to send text."),
        QStringLiteral("One nice feature with the packet option is that you don't actually have to connect to another "
                       "packet station.  Just click the DX Only check box so that only packets identified as DX will "
                       "be displayed.  As long as DX posts are being transmitted the software will check recent posts "
                       "to eliminate duplicate posts.  Even if you are connected, it is a good idea to check this box "
                       "to eliminate miscellaneous comments, etc."),
    };
    tnc.hardwareNote = true;
    tnc.overviewPlace = 2;
    tnc.sendCaption = QStringLiteral("Send text  (Ctrl C or Esc for TNC Command mode):");
    tnc.enables = {.link = true, .serial = true};

    SpotLinkKind telnet;
    telnet.name = QStringLiteral("Telnet");
    telnet.makeSource = [](const SpotLinkDevices& devices) {
        return std::make_unique<TelnetLink>(devices.makeTcpLink());
    };
    telnet.help = {
        QStringLiteral("If you have an Internet connection (either telephone line or high speed), the Telnet option is "
                       "very easy to implement.  Just connect to the Internet by your regular ISP and click Open on "
                       "this form.  Type your call sign when prompted and press enter."),
    };
    telnet.overviewPlace = 1;
    telnet.sendCaption = QStringLiteral("Type text to send and press enter:");
    telnet.enables = {.link = true, .telnet = true};

    SpotLinkKind agw;
    agw.name = QStringLiteral("AGW Packet Engine");
    agw.makeSource = [](const SpotLinkDevices& devices) {
        // The engine listens on 127.0.0.1:8000 unless the address says otherwise.
        const AgwAddress engine = agwAddress(devices.agwAddress ? devices.agwAddress() : QString());
        return std::make_unique<AgwLink>(std::make_unique<AgwEngine>(devices.makeTcpLink(), engine.host, engine.port));
    };
    agw.help = {
        QStringLiteral("This program will also interface with the AGW Packet Engine.  The AGW Packet engine will "
                       "interface with your existing sound card (or TNC including Baypac) to send and receive Packet.  "
                       "To use the AGW Packet Engine:"),
        QStringLiteral("- Download the freely available software from https://www.sv2agw.com/downloads"),
        QStringLiteral("The file to download is AGWPE.zip.  Instructions for use are on this website as well."),
        QStringLiteral("- Run the Packet Engine software and configure it as described on the AGW Packet Engine website "
                       "for your sound card or TNC."),
        QStringLiteral("- Click Open from this program."),
        QStringLiteral("To send a connect request using the AGW packet engine, type in the format of"),
        QStringLiteral(":C Vexol     or to disconnect :D"),
        QStringLiteral("and press enter (you can also use the Esc key to add a colon)."),
    };
    agw.hardwareNote = true;
    agw.overviewPlace = 3;
    agw.sendCaption = QStringLiteral("Send text (use : to send cmds such as :C Vexol or :D)");
    agw.enables = {.link = true};
    agw.escapeTypes = u':'; // a packet engine command starts with a colon

    return {none, tnc, telnet, agw};
}

} // namespace

const std::vector<SpotLinkKind>& spotLinkKinds()
{
    static const std::vector<SpotLinkKind> kinds = makeKinds();
    return kinds;
}

const SpotLinkKind& noSpotLink() { return spotLinkKinds().front(); }

int spotLinkKindRow(const QString& name)
{
    const std::vector<SpotLinkKind>& kinds = spotLinkKinds();
    for (size_t row = 0; row < kinds.size(); ++row) {
        if (kinds[row].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(row);
    }
    return -1;
}

const SpotLinkKind* findSpotLinkKind(const QString& name)
{
    const int row = spotLinkKindRow(name);
    return row < 0 ? nullptr : &spotLinkKinds()[size_t(row)];
}

const SpotLinkKind& spotLinkKind(const QString& name)
{
    const SpotLinkKind* kind = findSpotLinkKind(name);
    return kind ? *kind : noSpotLink();
}
