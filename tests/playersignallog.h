#pragma once

#include <ostream>
#include <vector>

#include <QObject>

#include "libvlcplayer.h"

namespace tavrel::test {

// One of the player's signals as it came.
struct PlayerSignal {
    enum class Kind { Opening, Stopped, State, Time, Position, End, Error };
    Kind kind;
    qint64 value = 0;  // the time, the medium's tag or the state; 0 for the others

    bool operator==(const PlayerSignal&) const = default;
};

inline PlayerSignal Opening() {
    return {PlayerSignal::Kind::Opening};
}
inline PlayerSignal Stopped() {
    return {PlayerSignal::Kind::Stopped};
}
inline PlayerSignal Playing() {
    return {PlayerSignal::Kind::State, static_cast<qint64>(LibVlcPlayer::State::Playing)};
}
inline PlayerSignal Paused() {
    return {PlayerSignal::Kind::State, static_cast<qint64>(LibVlcPlayer::State::Paused)};
}
inline PlayerSignal Time(qint64 timeMs) {
    return {PlayerSignal::Kind::Time, timeMs};
}
inline PlayerSignal Position(qint64 timeMs) {
    return {PlayerSignal::Kind::Position, timeMs};
}
inline PlayerSignal End(int mediaTag) {
    return {PlayerSignal::Kind::End, mediaTag};
}
inline PlayerSignal Error() {
    return {PlayerSignal::Kind::Error};
}

inline void PrintTo(const PlayerSignal& report, std::ostream* out) {
    constexpr const char* kNames[] = {"opening",  "stopped", "state", "time",
                                      "position", "end",     "error"};
    *out << kNames[static_cast<int>(report.kind)] << '(' << report.value << ')';
}

// Writes down every signal of a player, in the order they come.
class PlayerSignalLog {
public:
    explicit PlayerSignalLog(LibVlcPlayer& player) {
        using Kind = PlayerSignal::Kind;
        const auto add = [this](Kind kind, qint64 value) { reports.push_back({kind, value}); };
        QObject::connect(&player, &LibVlcPlayer::openingStarted, &m_receiver,
                         [=] { add(Kind::Opening, 0); });
        QObject::connect(&player, &LibVlcPlayer::stopped, &m_receiver,
                         [=] { add(Kind::Stopped, 0); });
        QObject::connect(
            &player, &LibVlcPlayer::stateChanged, &m_receiver,
            [=](LibVlcPlayer::State state) { add(Kind::State, static_cast<qint64>(state)); });
        QObject::connect(&player, &LibVlcPlayer::timeChanged, &m_receiver,
                         [=](qint64 timeMs) { add(Kind::Time, timeMs); });
        QObject::connect(&player, &LibVlcPlayer::positionChanged, &m_receiver,
                         [=](qint64 timeMs) { add(Kind::Position, timeMs); });
        QObject::connect(&player, &LibVlcPlayer::endReached, &m_receiver,
                         [=](int mediaTag) { add(Kind::End, mediaTag); });
        QObject::connect(&player, &LibVlcPlayer::errorOccurred, &m_receiver,
                         [=] { add(Kind::Error, 0); });
    }

    // The values of one kind of signal, in order.
    std::vector<qint64> Values(PlayerSignal::Kind kind) const {
        std::vector<qint64> values;
        for (const PlayerSignal& report : reports) {
            if (report.kind == kind) {
                values.push_back(report.value);
            }
        }
        return values;
    }

    std::vector<PlayerSignal> reports;

private:
    QObject m_receiver;
};

}  // namespace tavrel::test
