#pragma once

// The CW keying port, the push-to-talk port and the keyer device share the serial ports and
// are never held at once: whoever is about to open its own first has the other two let go.
// Each holder enters how its port is let go (its keyed lines dropped first) for as long as
// it lives.

#include <array>
#include <functional>

enum class KeyingPortHolder { WinKey = 0, CwPort = 1, PttPort = 2 };

class KeyingPorts {
public:
    void enter(KeyingPortHolder holder, std::function<void()> letGo) { m_letGo[index(holder)] = std::move(letGo); }
    void leave(KeyingPortHolder holder) { m_letGo[index(holder)] = nullptr; }

    // Lets go of every port but the claimer's: the keyer device first, then the CW port,
    // then the push-to-talk port.
    void claim(KeyingPortHolder claimer)
    {
        for (size_t i = 0; i < m_letGo.size(); ++i) {
            if (i != index(claimer) && m_letGo[i])
                m_letGo[i]();
        }
    }

private:
    static size_t index(KeyingPortHolder holder) { return size_t(holder); }

    std::array<std::function<void()>, 3> m_letGo{};
};
