#pragma once

// The memory this process holds, as a task manager shows it: the most it has held resident so
// far (its peak) and what it holds now, in megabytes; and the machine's load. -1 where the
// platform does not say.

#include <QtGlobal>

#if defined(Q_OS_WIN)
#ifndef NOMINMAX
#define NOMINMAX // std::min and std::max, not the macros
#endif
#include <windows.h>
// windows.h first: psapi.h needs its types.
#include <psapi.h>
#elif defined(Q_OS_LINUX)
#include <QByteArray>
#include <QFile>
#include <cstdlib>
#endif

namespace quorlent::bench {

struct ResidentMemory
{
    double peakMb = -1;
    double nowMb = -1;
};

inline ResidentMemory residentMemory()
{
    ResidentMemory memory;
#if defined(Q_OS_WIN)
    PROCESS_MEMORY_COUNTERS counters{};
    if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) {
        memory.peakMb = double(counters.PeakWorkingSetSize) / 1048576.0;
        memory.nowMb = double(counters.WorkingSetSize) / 1048576.0;
    }
#elif defined(Q_OS_LINUX)
    // VmHWM is the peak of VmRSS: the heap and every page of a mapped file that was touched.
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            const auto kilobytes = [&](const char *key) {
                return double(
                           line.mid(qsizetype(qstrlen(key))).trimmed().split(' ')[0].toLongLong()) /
                       1024.0;
            };
            if (line.startsWith("VmHWM:"))
                memory.peakMb = kilobytes("VmHWM:");
            else if (line.startsWith("VmRSS:"))
                memory.nowMb = kilobytes("VmRSS:");
        }
    }
#endif
    return memory;
}

// The machine's load over the last minute (runnable processes), -1 where the platform does not
// say: the figures of a shared machine are read beside it.
inline double machineLoad()
{
#if defined(Q_OS_LINUX)
    double load[1] = {};
    if (getloadavg(load, 1) == 1)
        return load[0];
#endif
    return -1;
}

} // namespace quorlent::bench
