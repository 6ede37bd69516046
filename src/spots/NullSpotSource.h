#pragma once

// The source of "None": nothing opens (the opening is refused without a word), nothing is
// sent and nothing arrives.

#include "spots/SpotSource.h"

class NullSpotSource final : public SpotSource {
public:
    void configure(const SpotLinkSettings&) override {}
    SpotOpen open() override { return SpotOpen::Refused; }
    void close() override {}
    bool isOpen() const override { return false; }
    bool sendLine(const QString&) override { return false; }
};
