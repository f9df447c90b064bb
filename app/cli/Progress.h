// The progress of a long pass: percent, bytes, speed and time left. On a
// terminal one line redrawn in place; otherwise one plain line per percent
// step; with --json one progress object per percent step.
#pragma once

#include "Console.h"

#include <QElapsedTimer>
#include <QString>

#include <cstdint>

class Progress {
  public:
    // `phase` names the pass ("clone", "restore", "verify"); `total` is 0
    // when the size is not known.
    Progress(const Console& console, QString phase, uint64_t total);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void Update(int percent, uint64_t bytes);
    // Ends the redrawn line, so that what follows starts on a line of its own.
    void Finish();

  private:
    enum class Mode { Terminal, Plain, Json };
    QString Line(int percent, uint64_t bytes, double perSecond) const;

    const Console& m_console;
    QString m_phase;
    uint64_t m_total;
    Mode m_mode;
    QElapsedTimer m_clock;
    int m_lastPercent = -1;
    qint64 m_lastDrawn = 0;
    bool m_lineOpen = false;
};

// Whole seconds as h:mm:ss.
QString DurationText(int64_t seconds);
