#include "CQRLDropSrc.h"

CQRLDropSrc::CQRLDropSrc(int distance, int delayMs) : m_distance(distance), m_delayMs(delayMs)
{
}

void CQRLDropSrc::arm(QPoint position, qint64 timeMs)
{
    m_startRect = QRect(position - QPoint(m_distance, m_distance), position + QPoint(m_distance, m_distance));
    m_armedAt = timeMs;
    m_armed = true;
}

CQRLDropSrc::Decision CQRLDropSrc::onMove(QPoint position, Qt::MouseButtons buttons, qint64 timeMs)
{
    if (!m_armed)
        return Decision::Wait;
    if (buttons != Qt::LeftButton)
        return cancelIfArmed();
    if (m_startRect.contains(position) && timeMs - m_armedAt < m_delayMs)
        return Decision::Wait;
    m_armed = false;
    return Decision::Start;
}

CQRLDropSrc::Decision CQRLDropSrc::onButtonChange()
{
    return cancelIfArmed();
}

CQRLDropSrc::Decision CQRLDropSrc::onEscape()
{
    return cancelIfArmed();
}

CQRLDropSrc::Decision CQRLDropSrc::cancelIfArmed()
{
    if (!m_armed)
        return Decision::Wait;
    m_armed = false;
    return Decision::Cancel;
}
