#include "core/evaluate/rung_stack.h"

namespace rs::eval {

std::string rungFaultText(RungFault fault) {
    const std::string depth = std::to_string(kRungStackDepth);
    switch (fault) {
        case RungFault::LoadWithBlockOpen:
            return "a load after an output with a block left open";
        case RungFault::BlockStackFull:
            return "the block stack already holds " + depth + " blocks";
        case RungFault::AndWithoutBlock:
            return "AND without a block to work on";
        case RungFault::OrWithoutBlock:
            return "OR without a block to work on";
        case RungFault::JoinWithoutTwoBlocks:
            return "the block stack holds fewer than two blocks";
        case RungFault::PointNeedsOneBlock:
            return "MPS needs exactly one block";
        case RungFault::PointStackFull:
            return "the point stack already holds " + depth + " levels (MPS overflow)";
        case RungFault::PointStackEmpty:
            return "the point stack is empty (MRD or MPP without MPS)";
        case RungFault::PointWithBlockOpen:
            return "MRD or MPP with a block left open";
        case RungFault::OutputWithoutCondition:
            return "an output without a condition";
        case RungFault::OutputWithBlockOpen:
            return "an output with a block left open (ANB or ORB missing)";
        case RungFault::HeldWithPointOpen:
            return "a rung loaded after an output left MPS open";
        case RungFault::PointOpenAtBoundary:
            return "MPS without MPP before this row";
        case RungFault::RungWithoutOutput:
            return "a rung without an output before this row";
    }
    return {};
}

}  // namespace rs::eval
