#pragma once

// The platform's beep, sounded for every refusal.
class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

class QtBeeper final : public Beeper {
public:
    void beep() override;
};
