#pragma once

#include "Engine/Base/Types.h"
#include "core/container/PoolList.h"
#include "core/string/String.h"
#include "file/nml/NmlAttribute.h"

namespace Game {

class NmlParser;

// A node of an nml document: a name, value lines and child nodes, each in
// file order. Lookups by name or key find the first match in that order and
// are linear scans. A node that is not any other node's child is the root of
// its own tree and is named "root".
class NmlNode {
 public:
  // Nesting deeper than this is refused by the parser, which keeps every
  // recursive walk of a parsed tree (writing, removal, destruction) shallow.
  static constexpr Engine::i32 kMaxDepth = 256;

  NmlNode();
  ~NmlNode() = default;
  NmlNode(const NmlNode&) = delete;
  NmlNode& operator=(const NmlNode&) = delete;

  const char* name() const;
  NmlNode* parent() const { return mParent; }
  NmlNode* root() const { return mRoot; }

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

  NmlNode* addChild(const char* name);
  NmlAttribute* addAttribute(const char* key);
  NmlAttribute* addAttribute(const char* key, const char* text);
  NmlAttribute* addBool(const char* key, bool value);
  NmlAttribute* addInt(const char* key, Engine::i32 value);

  // With the "omit" setting on, every child holding a line keyed by the
  // marker goes with its subtree; otherwise only those marker lines go. Then
  // the same in every remaining child.
  void removeRemovable(const char* marker);

  // Parses a zero-terminated text into this node, after what it holds already.
  // Strict parsing ends the program with the line of the first fault; lenient
  // parsing returns false instead.
  bool parse(const char* text, bool strict);
  // Writes the tree, pretty (TAB indents, CR LF) or compact (no whitespace).
  void toString(String& out, bool pretty) const;

  using ChildList = PoolList<NmlNode>;
  using AttributeList = PoolList<NmlAttribute>;
  const ChildList& children() const { return mChildren; }
  const AttributeList& attributes() const { return mAttributes; }

 protected:
  void clearContents();
  bool parseNamed(const char* text, bool strict, const char* sourceName);

 private:
  void removeMarked(const char* marker, bool omitMarkedNodes);
  friend class NmlParser;
  static constexpr Engine::i32 kListBlockSize = 16;
  // Most nodes hold a few lines and children: their lists' blocks start small.
  static constexpr Engine::i32 kFirstListBlockSize = 4;

  NmlNode* addChildNamed(const char* name);
  void detachSubtree();

  String mName;
  NmlNode* mParent = nullptr;
  NmlNode* mRoot = this;
  ChildList mChildren{kListBlockSize, kFirstListBlockSize};
  AttributeList mAttributes{kListBlockSize, kFirstListBlockSize};
};

}  // namespace Game
