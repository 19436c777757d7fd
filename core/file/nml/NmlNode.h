#pragma once

#include <cstddef>

#include "Engine/Base/Types.h"
#include "core/string/String.h"
#include "core/file/nml/NmlArena.h"
#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlList.h"

namespace Game {

class NmlArena;
class NmlParser;

// A node of an nml document: a name, value lines and child nodes, each in
// file order. Lookups by name or key find the first match in that order and
// are linear scans. A node that is not any other node's child is the root of
// its own tree and is named "root". The root owns an arena that holds every
// other node of the tree, every line and every text: the whole tree goes with
// the root at once, and parts taken out of it stay in the arena until then.
class NmlNode {
 public:
  // Nesting deeper than this is refused by the parser, which keeps every
  // recursive walk of a parsed tree (writing, removal) shallow.
  static constexpr Engine::i32 kMaxDepth = 256;

  NmlNode() = default;
  ~NmlNode();
  NmlNode(const NmlNode&) = delete;
  NmlNode& operator=(const NmlNode&) = delete;

  const char* name() const;
  NmlNode* parent() const { return mParent; }
  // Found through the parents: nodes do not keep their root, to stay small.
  NmlNode* root() const;
  // The line of the text where the node's name began; 0 for the root and for
  // nodes made by code. Data errors name it.
  Engine::i32 line() const { return mLine; }

  Engine::i32 childCount() const { return mChildren.count(); }
  NmlNode* child(Engine::i32 i) const { return mChildren.at(i); }
  Engine::i32 attributeCount() const { return mAttributes.count(); }
  NmlAttribute* attribute(Engine::i32 i) const { return mAttributes.at(i); }

  Engine::i32 countChildren(const char* name) const;
  // The index-th child of that name; a missing child ends the program, so
  // callers test optional children with countChildren first.
  NmlNode* findChild(const char* name, Engine::i32 index = 0) const;
  Engine::i32 countAttributes(const char* key) const;
  // The index-th line with that key, or null.
  NmlAttribute* findAttribute(const char* key, Engine::i32 index = 0) const;
  // Every child of that name, or every line with that key, in file order, for
  // a range-based for: reading a long list, use these rather than the k-th
  // lookups above, which walk the list again for every k.
  NmlLabelled<NmlNode, &NmlNode::name> childrenNamed(const char* name) const { return {mChildren, name}; }
  NmlLabelled<NmlAttribute, &NmlAttribute::key> attributesKeyed(const char* key) const {
    return {mAttributes, key};
  }

  NmlNode* addChild(const char* name);
  NmlAttribute* addAttribute(const char* key);
  NmlAttribute* addAttribute(const char* key, const char* text);
  NmlAttribute* addBool(const char* key, bool value);
  NmlAttribute* addInt(const char* key, Engine::i32 value);

  // With omitMarkedNodes (the "omit" setting), every child holding a line
  // keyed by the marker goes with its subtree; otherwise only those marker
  // lines go. Then the same in every remaining child.
  void removeMarked(const char* marker, bool omitMarkedNodes);


  // Parses a zero-terminated text into this node, after what it holds already.
  // Strict parsing ends the program with the line of the first fault; lenient
  // parsing returns false instead. A file name is kept for the tree's data
  // errors (see sourceName).
  bool parse(const char* text, bool strict, const char* file = nullptr);
  // The data file the tree was read from; null when unnamed.
  const char* sourceName() const;
  // Writes the tree, pretty (TAB indents, CR LF) or compact (no whitespace).
  void toString(String& out, bool pretty) const;

  using ChildList = NmlList<NmlNode>;
  using AttributeList = NmlList<NmlAttribute>;
  const ChildList& children() const { return mChildren; }
  const AttributeList& attributes() const { return mAttributes; }

 protected:
  void clearContents();
  // Names the tree's data file (see sourceName).
  void setSourceName(const char* file);

 private:
  friend class NmlParser;
  template <class T>
  friend class NmlList;

  // A child of parent named by a text already in the arena.
  NmlNode(NmlNode* parent, const char* name) : mName(name), mParent(parent) {}
  // The root's arena, made on first use.
  NmlArena& arena();
  NmlNode* addChildNamed(const char* name, std::size_t length);
  NmlAttribute* newAttribute();

  const char* mName = "";
  NmlNode* mParent = nullptr;
  NmlNode* mNext = nullptr;  // the next child of the parent (see NmlList)
  NmlArena* mArena = nullptr;  // only a root's
  Engine::i32 mLine = 0;
  ChildList mChildren;
  AttributeList mAttributes;
};

}  // namespace Game
