#pragma once

namespace Game {

class NmlNode;

// A save file is outside input: the party and bag nodes are checked for
// every name and number their loads read, so that a damaged file is refused
// instead of halting on a name the databases lack or leaving a null member.
namespace SaveNodeCheck {

// What makes the node unfit to load, or null when it is fit.
const char* partyProblem(const NmlNode& party);
const char* ghostProblem(const NmlNode& ghost);
const char* bagProblem(const NmlNode& bag);
// An article node: nothing (when it may be empty), or a known item with its
// uses and condition.
const char* articleProblem(const NmlNode& article, bool mayBeEmpty);

}  // namespace SaveNodeCheck

}  // namespace Game
