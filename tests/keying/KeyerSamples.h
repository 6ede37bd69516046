#pragma once

// Keyer settings of a station that has set everything, for the keying tests.

#include "keying/KeyerSettings.h"

inline CwSettings keyedStation()
{
    CwSettings s;
    s.messages = {"CQ TX $", "$ *", "TU", "QRZ", "#", "^", "AGN", "73", "W5XYZ", "F10, with a comma", "F11"};
    s.serialPort = "3";
    s.wordsPerMinute = "25";
    s.wordSpace = "-2";
    s.keyingInterface = KeyingInterface::Dtr;
    s.parallelAddress = "&H278";
    s.echo = false;
    s.repeatSeconds = "2.5";
    return s;
}

inline WaveSettings voiceStation()
{
    WaveSettings s;
    s.waveFiles = {"/home/op/cq.wav", "/home/op/exchange.wav", "", "", "", "", "", "", "/home/op/f9.wav"};
    s.serialPort = " 2";
    s.pttLine = PttLine::Dtr;
    s.repeatSeconds = "2.5";
    s.parallelAddress = "&H278";
    return s;
}
