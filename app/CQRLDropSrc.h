#pragma once

#include <QPoint>
#include <QRect>
#include <Qt>

// The start of a drag of items out of the project window. A press of the left button on an item
// arms it; the drag starts when the pointer leaves the start rectangle around the press, or when
// the drag delay has passed with the button still down. Pressing or releasing a button or Esc
// before that cancels it. Fed with the list's mouse and key events; starts no timer.
class CQRLDropSrc {
public:
    enum class Decision { Wait, Start, Cancel };

    // `distance`: half the start rectangle's side in pixels; `delayMs`: the drag delay.
    CQRLDropSrc(int distance, int delayMs);

    void arm(QPoint position, qint64 timeMs);
    bool isArmed() const { return m_armed; }
    // A pointer move while armed: Start or Wait; Cancel when the left button alone is no longer
    // down. Wait when not armed. A decision other than Wait disarms.
    Decision onMove(QPoint position, Qt::MouseButtons buttons, qint64 timeMs);
    // A press or release of a mouse button, or Esc: Cancel while armed, else Wait.
    Decision onButtonChange();
    Decision onEscape();
    void disarm() { m_armed = false; }

private:
    Decision cancelIfArmed();

    int m_distance;
    int m_delayMs;
    QRect m_startRect;
    qint64 m_armedAt = 0;
    bool m_armed = false;
};
