#pragma once

// Fixed sizes of the controller program and the editor. Every array of the
// model is sized by one of these, and every write is bounded by them.
namespace rs {

constexpr int kGridRows = 4000;                // ladder grid rows
constexpr int kGridCols = 11;                  // column 0 label margin, 1..9 contacts, 10 outputs
constexpr int kOutputCol = 10;                 // the output column
constexpr int kListRows = 8000;                // rows of the instruction table
constexpr int kMaxSteps = 400;                 // program steps a converted ladder may use
constexpr int kClipRows = 400;                 // rows of the paste backup grid
constexpr int kSerialBufferSize = 400;         // serial receive and send buffers, bytes
constexpr int kCodeWords = 8000;               // controller code buffer, words
constexpr int kMaxVerticalChain = 23;          // longest vertical wire chain
constexpr long long kMaxTraceScans = 1000000;  // scans of one scripted simulation run
constexpr int kMaxQueuedRequests = 16;         // forces and word writes waiting in a device poll
constexpr int kDeviceHistoryLines = 200;       // forces and writes of the monitored ladder kept

constexpr int kMaxOperandWords = 5;  // operand words a line may hold
constexpr int kMaxWordLength = 50;   // characters of one operand word or mnemonic
constexpr int kMaxDeviceText = 7;    // characters of one device text (X001, D8000)

constexpr int kMaxCommentChars = 32;            // characters (not bytes) of one device comment
constexpr int kMaxDeviceComments = 16000;       // device comments one project may hold
constexpr int kMaxCommentsFileBytes = 4 << 20;  // bytes of a comments file that are read

constexpr int kMaxWatches = 32;             // devices the watch window lists
constexpr long long kTraceKeepMs = 120000;  // virtual time the timing chart keeps
constexpr int kMaxTraceChanges = 16384;     // changes kept of one traced signal

}  // namespace rs
