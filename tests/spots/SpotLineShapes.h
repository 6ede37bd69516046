#pragma once

// Cluster lines in the shapes they really arrive in, for the tests of every spot source:
// lines the fixed columns read (the frequency right-aligned to column 24, the call from
// column 27), lines only their words give (skimmer and SSID spotter fields, frequencies of
// ten characters, a call a column to the left), and lines that are no spot. Each without
// its line ending; the tests add one.

#include <QByteArray>
#include <QString>
#include <vector>

struct SpotLineShape {
    const char* name;
    QByteArray line;
    const char* frequency; // the kHz text handed over; nullptr when no spot is filed
    const char* call;
    bool byColumns; // of a spot: columns 16-24 and 27-39 hold its frequency and call
};

inline const std::vector<SpotLineShape>& spotLineShapes()
{
    static const std::vector<SpotLineShape> shapes = {
        // Read by the columns, exactly as they always were.
        {"cluster layout", "DX de W3LPL:     14025.0  K1ABC        CQ                             1830Z", "14025.0",
         "K1ABC", true},
        {"nine-character frequency", "DX de W5LUA:   1296100.0  K5UHF        EME JT65                       1830Z",
         "1296100.0", "K5UHF", true},
        {"thirteen-character call", "DX de K5DX:      14025.0  KP4/N5ABC/QRP CQ TQP                       1830Z",
         "14025.0", "KP4/N5ABC/QRP", true},
        {"small letters", "dx de k5dx:      21010.0  n5low        cq tqp                         1830z", "21010.0",
         "n5low", true},
        {"spotter with an SSID that fits", "DX de KB5XY-1:   14033.0  N5SSID       CQ TQP                         1830Z",
         "14033.0", "N5SSID", true},
        {"line ending right after the call", "DX de K5DX:      14025.0  N5CRLF", "14025.0", "N5CRLF", true},
        {"line cut inside the call", "DX de K5DX:      14026.0  N5C", "14026.0", "N5C", true},
        {"40 metres", "DX de W5ZZ:       7030.0  ZL1AA        40m                            1830Z", "7030.0",
         "ZL1AA", true},
        {"2 metres, two decimals", "DX de K5DX:    144174.12  N5VHF        FT8                             1830Z",
         "144174.12", "N5VHF", true},
        // Read by the words after the spotter.
        {"10 GHz", "DX de K5DX:   10368100.0  W5LUA        ms                             1830Z", "10368100.0",
         "W5LUA", false},
        {"24 GHz, one column to the right", "DX de K5DX:     24048100.0  W5SHF        ms                            1830Z",
         "24048100.0", "W5SHF", false},
        {"2 metres, three decimals", "DX de K5DX:   144174.123  N5FT8        FT8                            1830Z",
         "144174.123", "N5FT8", false},
        {"skimmer", "DX de W3LPL-#:    14025.0  K5RBN          CW    24 dB  25 WPM  CQ      1830Z", "14025.0",
         "K5RBN", false},
        {"skimmer with an SSID", "DX de DL8LAS-2-#:  14027.0  N5SKM      CW 12 dB 25 WPM CQ            1830Z",
         "14027.0", "N5SKM", false},
        {"eleven-character spotter", "DX de VE2WU-11-#:  7025.0  K5ELV       CW 18 dB 22 WPM CQ            1830Z",
         "7025.0", "K5ELV", false},
        {"skimmer with an SSID, short columns", "DX de DL8LAS-2-#:  14025.0  K5ABC  CW 12 dB 25 WPM CQ  0830Z",
         "14025.0", "K5ABC", false},
        {"colon in the comment", "DX de VE2WU-11-#:  7025.0  K5QSX  CW QSX: 7.027 up 1831Z", "7025.0", "K5QSX",
         false},
        {"spotter without a colon, colon in the comment", "DX de K5DX 14025.0 N5QSX QSX: 14.030 1832Z", "14025.0",
         "N5QSX", false},
        {"300 GHz", "DX de K5DX:    300000000  W5THZ        ms                             1830Z", "300000000",
         "W5THZ", true},
        {"prompt left without its line end", "K5DX de W3LPL-2 >DX de W3LPL:     14036.0  N5PRM        CQ   1830Z",
         "14036.0", "N5PRM", true},
        // No spot.
        {"negative frequency", "DX de K5DX:     -14025.0  N5NEG        CQ TQP                         1830Z", nullptr,
         "", true},
        {"frequency 0", "DX de K5DX:          0.0  N5ZERO       CQ TQP                         1830Z", nullptr, "",
         true},
        {"frequency beyond any number", "DX de K5DX:      1e99999  N5INF        CQ TQP                         1830Z",
         nullptr, "", true},
        {"frequency beyond the store", "DX de K5DX:        1e300  N5BIG        CQ TQP                         1830Z",
         nullptr, "", true},
        {"frequency 1e38", "DX de K5DX:         1e38  N5E38        CQ TQP                         1830Z", nullptr, "",
         true},
        {"frequency 1e10", "DX de K5DX:         1e10  N5E10        CQ TQP                         1830Z", nullptr, "",
         true},
        {"just above 300 GHz", "DX de K5DX:    300000001  W5THZ        ms                             1830Z", nullptr,
         "", true},
        {"fourteen-character call", "DX de K5DX:      14028.0  VP2V/KB5XYZ/MM CQ                           1830Z",
         nullptr, "", true},
        {"call with a dash", "DX de K5DX:      14029.0  N5ABC-1      CQ TQP                         1830Z", nullptr,
         "", true},
        {"no number", "DX de K5DX:          ABC  N5ABC        CQ TQP                         1830Z", nullptr, "",
         true},
        {"line cut after the frequency", "DX de K5DX:      14030.0", nullptr, "", true},
        {"control character in the call", QByteArray("DX de K5DX:      14031.0  N5\x01" "CTL      CQ TQP      1830Z"),
         nullptr, "", true},
        {"NUL in the call", QByteArray("DX de K5DX:      14032.0  N5\0NUL", 32), nullptr, "", true},
        {"call one column to the left", "DX de K5DX:      14034.0 N5LEFT         CQ TQP                        1830Z",
         "14034.0", "N5LEFT", false},
        {"not a spot line", "WWV de W0MU <18>:   SFI=68, A=5, K=1, No Storms -> No Storms", nullptr, "", true},
        {"announcement", "To ALL de K5DX: TQP this weekend, 14035.0 N5ABC", nullptr, "", true},
    };
    return shapes;
}
