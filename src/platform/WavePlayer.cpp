#include "platform/WavePlayer.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

QtWavePlayer::QtWavePlayer() = default;

QtWavePlayer::~QtWavePlayer()
{
    close();
}

bool QtWavePlayer::open(const QString& path)
{
    close();
    if (!QFileInfo(path).isFile() || QMediaDevices::defaultAudioOutput().isNull())
        return false;
    m_player = new QMediaPlayer;
    m_output = new QAudioOutput;
    m_player->setAudioOutput(m_output);
    m_player->setSource(QUrl::fromLocalFile(path));
    m_open = m_player->error() == QMediaPlayer::NoError;
    if (!m_open)
        close();
    return m_open;
}

bool QtWavePlayer::play()
{
    if (!m_open)
        return false;
    m_player->play();
    return m_player->error() == QMediaPlayer::NoError;
}

void QtWavePlayer::stop()
{
    if (m_player)
        m_player->stop();
}

void QtWavePlayer::close()
{
    delete m_player;
    delete m_output;
    m_player = nullptr;
    m_output = nullptr;
    m_open = false;
}

int QtWavePlayer::mode() const
{
    if (!m_open)
        return ModeNotOpen;
    return m_player->playbackState() == QMediaPlayer::PlayingState ? ModePlaying : ModeStopped;
}
