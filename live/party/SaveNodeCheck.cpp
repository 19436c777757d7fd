#include "live/party/SaveNodeCheck.h"

#include <cstring>
#include <set>
#include <string>

#include "core/string/Decimal.h"
#include "live/article/Article.h"
#include "live/party/PartyMembers.h"
#include "live/unit/PlayerGhost.h"
#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlNode.h"
#include "records/Database.h"
#include "records/constance/Constance.h"

namespace Game::SaveNodeCheck {

using Engine::i32;

namespace {

constexpr const char* kGhostNumbers[] = {"experience", "LP", "bonusPoint", "masterPoint", "masterExperience"};

const Database& database() { return *Database::instance(); }

const NmlNode* firstChild(const NmlNode& node, const char* name) {
  return node.countChildren(name) > 0 ? node.findChild(name) : nullptr;
}

bool isNumber(const NmlAttribute& line, i32 item, i32& out) {
  return item < line.itemCount() && parseDecimal(line.item(item), out);
}

// The single whole number of a line that must be there.
bool readNumber(const NmlNode& node, const char* key, i32& out) {
  const NmlAttribute* line = node.findAttribute(key);
  return line && line->itemCount() == 1 && isNumber(*line, 0, out);
}

bool hasName(const NmlAttribute* line) { return line && line->itemCount() >= 1; }

}  // namespace

// An article as Article::load reads it: nothing, or a known item with its
// uses and condition.
const char* articleProblem(const NmlNode& article, bool mayBeEmpty) {
  const NmlAttribute* tool = article.findAttribute("tool");
  if (!tool) {
    return mayBeEmpty ? nullptr : "a bag entry holds no item";
  }
  if (!hasName(tool) || !database().findTool(tool->item(0))) {
    return "an item is not in the tool table";
  }
  i32 uses = 0;
  i32 condition = 0;
  if (!readNumber(article, "energy", uses) || uses < 0 || !readNumber(article, "defensePerformance", condition) ||
      condition < 0 || condition > Article::kFullCondition) {
    return "an item's uses or condition are missing or out of range";
  }
  return nullptr;
}

namespace {

// Only the lines AbilityList::save writes: any other would be read as a
// trigger or an expression, whose bad keywords stop the program.
const char* artProblem(const NmlNode& entry) {
  const NmlAttribute* ability = entry.findAttribute("ability");
  const AbilityData* art = hasName(ability) ? database().findAbilityOrNull(ability->item(0)) : nullptr;
  if (!art) {
    return "an art is not in the ability table";
  }
  i32 level = 1;
  if (entry.findAttribute("level") && (!readNumber(entry, "level", level) || level < 1 || level > art->upperCount() + 1)) {
    return "an art's level is out of range";
  }
  for (NmlNode::AttributeList::Iterator it(entry.attributes()); !it.isEnd(); it.next()) {
    const char* key = it.value()->key();
    if (std::strcmp(key, "ability") != 0 && std::strcmp(key, "level") != 0) {
      return "an art holds more than its name and level";
    }
  }
  return entry.childCount() == 0 ? nullptr : "an art holds more than its name and level";
}

const char* bonusProblem(const NmlNode& bonus) {
  for (i32 i = 0; i < Parameters::kCount; ++i) {
    i32 value = 0;
    const char* name = Constance::instance()->parameterName(i);
    if (bonus.findAttribute(name) && !readNumber(bonus, name, value)) {
      return "a bonus value is not a whole number";
    }
  }
  return nullptr;
}

const char* ghostNumbersProblem(const NmlNode& ghost) {
  for (const char* key : kGhostNumbers) {
    i32 value = 0;
    if (!readNumber(ghost, key, value)) {
      return "a character's number is missing or not whole";
    }
  }
  i32 experience = 0;
  i32 masterExperience = 0;
  readNumber(ghost, "experience", experience);
  readNumber(ghost, "masterExperience", masterExperience);
  if (experience < 0 || masterExperience < 0) {
    return "a character's experience is negative";
  }
  const NmlAttribute* ap = ghost.findAttribute("AP");
  i32 value = 0;
  if (!ap || ap->itemCount() != Ghost::kApTiers) {
    return "a character's AP is missing";
  }
  for (i32 tier = 0; tier < Ghost::kApTiers; ++tier) {
    if (!isNumber(*ap, tier, value)) {
      return "a character's AP is not whole";
    }
  }
  return nullptr;
}

const char* ghostPartsProblem(const NmlNode& ghost) {
  if (ghost.countChildren("equip") != PlayerGhost::kSlots) {
    return "a character has not eight equipment slots";
  }
  for (const NmlNode& equip : ghost.childrenNamed("equip")) {
    if (const char* fault = articleProblem(equip, true)) {
      return fault;
    }
  }
  const NmlNode* bonus = firstChild(ghost, "bonus");
  const NmlNode* arts = firstChild(ghost, "artsList");
  if (!bonus || !arts) {
    return "a character's bonus or arts are missing";
  }
  if (const char* fault = bonusProblem(*bonus)) {
    return fault;
  }
  for (const NmlNode& art : arts->childrenNamed("arts")) {
    if (const char* fault = artProblem(art)) {
      return fault;
    }
  }
  return nullptr;
}

}  // namespace

const char* ghostProblem(const NmlNode& ghost) {
  const NmlAttribute* name = ghost.findAttribute("name");
  if (!hasName(name) || !database().findShellExactly(name->item(0))) {
    return "a character's shell is not in the shell table";
  }
  if (const char* fault = ghostNumbersProblem(ghost)) {
    return fault;
  }
  return ghostPartsProblem(ghost);
}

const char* partyProblem(const NmlNode& party) {
  std::set<std::string> shells;
  for (const NmlNode& ghost : party.childrenNamed("ghost")) {
    if (const char* fault = ghostProblem(ghost)) {
      return fault;
    }
    if (!shells.insert(ghost.findAttribute("name")->item(0)).second) {
      return "two characters share a shell";
    }
  }
  std::set<std::string> members;
  i32 lines = 0;
  for (const NmlAttribute& line : party.attributesKeyed("member")) {
    i32 row = 0;
    i32 column = 0;
    if (++lines > PartyMembers::kCapacity || line.itemCount() != 3 || !isNumber(line, 1, row) ||
        !isNumber(line, 2, column)) {
      return "a member line is damaged, or there are more than six";
    }
    if (shells.count(line.item(0)) == 0) {
      return "a member names no character of the roster";
    }
    if (!members.insert(line.item(0)).second) {
      return "a character is a member twice";
    }
  }
  return nullptr;
}

const char* bagProblem(const NmlNode& bag) {
  for (const NmlNode& item : bag.childrenNamed("item")) {
    const NmlNode* article = firstChild(item, "article");
    i32 number = 0;
    if (!article || !readNumber(item, "number", number) || number < 1) {
      return "a bag entry has no article or no number";
    }
    if (const char* fault = articleProblem(*article, false)) {
      return fault;
    }
  }
  return nullptr;
}

}  // namespace Game::SaveNodeCheck
