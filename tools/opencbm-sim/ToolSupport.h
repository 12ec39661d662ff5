#pragma once

#include "BusState.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace vellum::sim {

// Output goes out unbuffered, so that a reader sees each progress redraw as it happens.
void writeOut(const QByteArray& bytes);
void writeErr(const QByteArray& bytes);

// What every tool does first: finds the bus named by OPENCBM_SIM_BUS and sets SIGINT and
// SIGTERM as its fault switches ask; otherwise the default, or, with `resetOnSigint`, the
// tools' own handler that resets the bus and exits with status 1. Nothing comes back when the
// variable is unset or names no folder (the tools then behave as if no adapter were plugged in).
std::optional<BusState> startRun(bool resetOnSigint);

// Stays here for good while the `hang` switch is set; signals still act as installed.
void hangIfAsked(const BusState& bus);

// Sleeps for a share of the simulated time a track takes.
void spendTrackTime(const BusState& bus, double shareOfTrack);

// The track at which transfers and formats fail, or nothing.
std::optional<int> failingTrack(const BusState& bus);

// How many bytes of an image d64copy may write before its file system is full, or nothing.
std::optional<qint64> imageSpace(const BusState& bus);

// Ends the output of a tool run; adds a line that is not UTF-8 when the switch asks for it.
void finishOutput(const BusState& bus);

// Opens the adapter as the bus tools do: prints their error and gives false when none is
// plugged in; otherwise stays here for good first while the `hang` switch is set.
bool openAdapter(const std::optional<BusState>& bus);

// Whether a drive answers at `device` on this bus.
bool driveAnswers(const BusState& bus, qint64 device);

// A 1581 takes 3.5-inch disks (D81) only, the other drives 5.25-inch ones (D64, D71).
bool driveTakesDisk(const QString& model, const QByteArray& disk);

// A device number given as decimal text, within the IEC range 0-30.
std::optional<qint64> parseDevice(const QString& text);

// The raw drive status in upper case as the transfer tools print it ("00, OK,00,00").
QByteArray rawStatus(const QString& statusLine);

// Simple status lines of the drive's error channel, in lower case.
namespace dosStatus {
inline constexpr auto ok = "00, ok,00,00";
inline constexpr auto fileNotFound = "62, file not found,00,00";
inline constexpr auto fileExists = "63, file exists,00,00";
inline constexpr auto diskFull = "72, disk full,00,00";
inline constexpr auto driveNotReady = "74,drive not ready,00,00";
inline constexpr auto syntaxError = "31,syntax error,00,00";
inline constexpr auto invalidName = "33,syntax error,00,00";
inline constexpr auto noName = "34,syntax error,00,00";
inline constexpr auto driverError = "99, driver error,00,00";
QString filesScratched(int count);
QString readError(int track, int sector);
} // namespace dosStatus

} // namespace vellum::sim
