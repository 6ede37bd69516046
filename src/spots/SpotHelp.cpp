#include "spots/SpotHelp.h"

#include <QStringList>

namespace {

const QString CrLf2 = QStringLiteral("\r\n\r\n");

} // namespace

QString spotHelpText(const QString& choice)
{
    const QStringList general = {
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
    const QStringList telnet = {
        QStringLiteral("If you have an Internet connection (either telephone line or high speed), the Telnet option is "
                       "very easy to implement.  Just connect to the Internet by your regular ISP and click Open on "
                       "this form.  Type your call sign when prompted and press enter."),
    };
    const QStringList tnc = {
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
    const QStringList agw = {
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
    const QStringList closing = {
        QStringLiteral("When you have configured your DX spotting options, click Open to initiate the communication.  "
                       "Then click Done to return to the main form."),
        QStringLiteral("If the list is being displayed on the main form, you can click on it to quickly return to this "
                       "form.  To return the main form to the original display, select None from the spotting options."),
    };
    const QStringList hardware = {
        QStringLiteral("This code was developed and tested with a Kantronics KPC3+ TNC.  I look forward to hearing "
                       "about your experiences with different hardware."),
    };
    QStringList sections;
    if (choice == QLatin1String("None"))
        sections << general << telnet << tnc << agw << closing << hardware;
    else if (choice == QLatin1String("TNC"))
        sections << tnc << closing << hardware;
    else if (choice == QLatin1String("Telnet"))
        sections << telnet << closing;
    else if (choice == QLatin1String("AGW Packet Engine"))
        sections << agw << closing << hardware;
    QString text;
    for (const QString& paragraph : sections)
        text += paragraph + CrLf2;
    return text;
}
