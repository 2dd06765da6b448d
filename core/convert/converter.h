#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/convert/convert.h"
#include "core/evaluate/bdd.h"
#include "core/evaluate/list_eval.h"
#include "core/instructions/instruction.h"
#include "core/session.h"

namespace rs::convert {

// One run of Convert: the working state the passes and walks share. Every
// cell read goes through the grid's accessors, which answer an empty cell
// outside rows 0..3999 and columns 0..10, so no neighbour look-up at the grid's
// edges reads outside it.
class Converter {
  public:
    Converter(Session& s, const ConvertLimits& limits);
    ConvertOutcome run();

    // Preparation passes (passes.cpp, normalise.cpp).
    void passConnectivity();    // 1
    void passBranchEnds();      // 2
    void passCheck();           // 3
    void passCompaction();      // 4
    void passEmptyBranches();   // 5
    void passOutputBranches();  // 6
    void passRegroup();         // 7
    void passEmptyRows();       // 8
    void passBranchGaps();      // 9

    // Compile walk (walk.cpp) and its sub-walks (sub_walks.cpp).
    void compileWalk();
    void compileRung(int H);
    void columnWalk(int H);
    bool bareRow(int H) const;
    bool closeBlockAt(int H, int c, int start);
    enum class BranchClose { GoOn, Refused, SplitHere };
    BranchClose closeBranchesAt(int R, int c, CellLinks l, int& start);
    void orChain(int R, int c);
    void blockCompiler(int D, int s, int e);
    void nestedBlockCloser(int A, int T, int c);
    void branchStartDecision(int R, int c);
    void outputBranchWalk(int R, int c);
    void splitWalk(int R, int c);
    void outputsBelow(int from, int prevM);
    void splitAt(int H, int c);
    bool moreBranchesBelow(int R, int c) const;

    // Emitters (emit.cpp). Each writes row m_r and advances it.
    void emitLoad(int R, int c);
    void emitAnd(int R, int c);
    void emitOr(int R, int c);
    void emitOutput(int R);  // out or application, by the kind in column 10
    void emitPlain(const char* mnemonic);
    void emitRow(const std::string& mnemonic, const std::string& operand, int fun, int step);

    // The written list checked against the grid (written_check.cpp): every
    // symbol written once, the list well formed. A walk that lost or repeated
    // a cell, or left the stacks unbalanced, reports the ladder instead of
    // handing over a list that means something else.
    void noteWritten(int R, int c);
    void noteCovered(int R, int c);
    void noteFlowRow(int R);
    void checkWrittenList();

    // One rung (rung.cpp): the rows its wires join, the state to go back to
    // when its list is written again, the general series-parallel compiler,
    // and the check that its list means what its circuit means (rung_check.cpp).
    struct RungMark {
        int r = 0;
        size_t rowCells = 0, writtenLog = 0;
        size_t records[4] = {};
        int mps = 0, mpp = 0, blockStartCol = 1;
        bool blockJoined = false, blockOred = false, splitPending = false;
    };
    int rungBottom(int H) const;
    RungMark markRung() const;
    void rollBack(const RungMark& mark, int H);
    bool compileGeneral(int H, int B, int& failRow, int& failCol);
    // The same compiler on the rung as drawn, for a rung the passes reshaped
    // into another circuit: its contacts are read from the drawn grid, its
    // outputs written at their cells of the walked grid, and every symbol of
    // rows H..B counts as written (the check then holds the rows to the
    // drawn circuit).
    bool compileDrawn(int H, int B);
    bool rungMeansItsList(int H, int B, int r0) const;
    void captureDrawnMeaning();
    // A rung that cannot be written, when its drawn circuit needs current
    // through a contact from right to left: the grid is put back as drawn and
    // the rung reported at that contact. False when the rung has no such
    // contact.
    bool reportReversedContact(int H, int B);
    void noteNormalisedOutputs();

    // "There is a ladder which cannot be converted": the first one of a run
    // is shown and moves the cursor to the cell.
    void reportUnconvertible(int row, int col);

  private:
    // Cell look-ups, all bounded by the grid.
    CellLinks L(int r, int c) const { return m_g.links(r, c); }
    bool has(int r, int c, CellLinks b) const { return m_g.has(r, c, b); }
    bool sym(int r, int c) const { return m_g.hasSymbol(r, c); }
    bool wired(int r, int c) const { return m_g.hasWire(r, c); }
    bool plainWire(int r, int c) const { return wired(r, c) && !sym(r, c); }
    int lastRow() const { return m_g.m_nDrawnLastRow; }
    bool stopped() const { return m_bWalkStopped; }
    void emitContact(int R, int c, instr::Kind role);
    // A contact written by the series-parallel compiler: branch kinds as their
    // serial twins, in the family the step asks for.
    void emitContact(int R, int c, int spKind);
    void emitContact(const LadderGrid& g, int R, int c, int spKind);
    // Counts one nested sub-walk; false (after a report) when a bound is reached.
    bool enterSubWalk(int R, int c);

    struct DepthGuard {
        explicit DepthGuard(int& d) : depth(d) { ++depth; }
        ~DepthGuard() { --depth; }
        int& depth;
    };

    Session& m_s;
    LadderGrid& m_g;
    ConvertLimits m_limits;
    ConvertOutcome m_out;

    int m_r = 0;  // next row of the instruction table
    bool m_bConvertible = true;
    int m_nMpsCount = 0;
    int m_nMppCount = 0;
    int m_nRowReached = 0;
    bool m_bBlockJoined = false;
    bool m_bBlockOred = false;
    bool m_bSplitPending = false;
    int m_nBlockStartCol = 1;
    bool m_bWalkStopped = false;  // a report of the walk itself, or the step limit
    bool m_bLineRefused = false;  // an application cell failed its line check
    int m_depth = 0;
    int m_calls = 0;
    int m_nSteps = 0;
    std::vector<uint8_t> m_written;  // per grid cell: written to the list
    std::vector<int> m_rowCell;      // per written row: its grid cell (row * 11 + col), or -1
    // What the ladder as drawn means, taken before the passes change the grid:
    // per rung (rows joined by vertical wires) its contact devices and, for
    // every combination checked, which outputs it drives. Outputs keep their
    // order through the passes, so output k of the walked grid is output k
    // here.
    struct DrawnOutput {
        std::string name;
        int rung = 0;
        int row = 0;  // as drawn
    };
    struct DrawnRung {
        std::vector<std::string> devices;
        int firstOutput = 0, outputs = 0;
        int words = 1;
        bool exhaustive = true;   // few enough devices to try every combination as bit sets
        bool tooTall = false;     // more rows than the check takes
        int first = 0, last = 0;  // its rows as drawn
        mutable bool truthTaken = false;
        mutable std::vector<uint64_t> on;  // per output of the rung, per word
    };
    void drawnTruth(const DrawnRung& rung) const;
    // The outputs of a drawn rung of more devices, as functions of them, in
    // the decision-diagram space of that rung (one rung at a time). False
    // when the space is full.
    bool drawnFunctions(const DrawnRung& rung) const;
    // The output of the walked grid (its index among them) that list row r
    // of the instruction table was written for; -1 when it is none.
    int outputWrittenBy(int r) const;
    // The drawn rung that holds the first output of walked rows H..B, when
    // the grid as drawn is kept and the rung is not too tall to compile.
    const DrawnRung* drawnRungOf(int H, int B) const;
    std::vector<DrawnOutput> m_drawnOutputs;
    std::vector<DrawnRung> m_drawnRungs;
    mutable std::unique_ptr<eval::BddSpace> m_space;  // the functions of one drawn rung
    mutable const DrawnRung* m_spaceRung = nullptr;
    mutable long long m_checkSteps = 0;  // diagram steps of the rungs checked before it
    mutable std::vector<eval::Bdd> m_drawnFunctions;  // per output of that rung
    std::unique_ptr<LadderGrid> m_drawnGrid;          // the grid before the passes
    std::vector<int> m_outputRows;     // rows of the outputs of the walked grid, in order
    std::vector<size_t> m_writtenLog;  // the cells written, in order, while a rung is open
    // While the walk tries a rung, its reports are held back: the first one
    // is kept here and made only when no other way converts the rung.
    bool m_trial = false;
    int m_trialRow = -1;
    int m_trialCol = -1;
};

}  // namespace rs::convert
