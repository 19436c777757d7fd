#include "core/file/nml/NmlNode.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "Engine/Base/Assert.h"
#include "core/file/nml/NmlArena.h"
#include "core/file/nml/NmlParser.h"
#include "core/file/nml/NmlWriter.h"

namespace Game {

using Engine::i32;

namespace {

bool sameText(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

}  // namespace

NmlNode::~NmlNode() { delete mArena; }

NmlNode* NmlNode::root() const {
  const NmlNode* node = this;
  while (node->mParent) {
    node = node->mParent;
  }
  return const_cast<NmlNode*>(node);
}

NmlArena& NmlNode::arena() {
  NmlNode* top = root();
  if (!top->mArena) {
    top->mArena = new NmlArena;
  }
  return *top->mArena;
}

const char* NmlNode::sourceName() const {
  const NmlArena* memory = root()->mArena;
  return memory ? memory->source() : nullptr;
}

const char* NmlNode::name() const {
  return mParent ? mName : "root";
}

i32 NmlNode::countChildren(const char* name) const {
  i32 count = 0;
  for (ChildList::Iterator it(mChildren); !it.isEnd(); it.next()) {
    count += sameText(it.value()->name(), name) ? 1 : 0;
  }
  return count;
}

NmlNode* NmlNode::findChild(const char* name, i32 index) const {
  for (ChildList::Iterator it(mChildren); !it.isEnd(); it.next()) {
    if (sameText(it.value()->name(), name) && index-- == 0) {
      return it.value();
    }
  }
  char message[256];
  std::snprintf(message, sizeof message, "NmlNode::findChild : node \"%.80s\" has no child \"%.80s\" (index %d)",
                this->name(), name, static_cast<int>(index));
  ENGINE_HALT(message);
}

i32 NmlNode::countAttributes(const char* key) const {
  i32 count = 0;
  for (AttributeList::Iterator it(mAttributes); !it.isEnd(); it.next()) {
    count += sameText(it.value()->key(), key) ? 1 : 0;
  }
  return count;
}

NmlAttribute* NmlNode::findAttribute(const char* key, i32 index) const {
  for (AttributeList::Iterator it(mAttributes); !it.isEnd(); it.next()) {
    if (sameText(it.value()->key(), key) && index-- == 0) {
      return it.value();
    }
  }
  return nullptr;
}

NmlNode* NmlNode::addChildNamed(const char* name, std::size_t length) {
  NmlArena& memory = arena();
  const char* copy = memory.copyText(name, length);
  auto* child = new (memory.allocate(sizeof(NmlNode))) NmlNode(this, copy);
  mChildren.append(child);
  return child;
}

NmlNode* NmlNode::addChild(const char* name) {
  const char* text = name ? name : "";
  return addChildNamed(text, std::strlen(text));
}

NmlAttribute* NmlNode::newAttribute() {
  NmlArena& memory = arena();
  auto* line = new (memory.allocate(sizeof(NmlAttribute))) NmlAttribute(&memory);
  mAttributes.append(line);
  return line;
}

NmlAttribute* NmlNode::addAttribute(const char* key) {
  NmlAttribute* line = newAttribute();
  line->assign(key);
  return line;
}

NmlAttribute* NmlNode::addAttribute(const char* key, const char* text) {
  NmlAttribute* line = newAttribute();
  line->assignSplit(key, text);
  return line;
}

NmlAttribute* NmlNode::addBool(const char* key, bool value) {
  NmlAttribute* line = addAttribute(key);
  line->addItem(value ? "true" : "false");
  return line;
}

NmlAttribute* NmlNode::addInt(const char* key, i32 value) {
  NmlAttribute* line = addAttribute(key);
  line->addInt(value);
  return line;
}

// Only a root clears: everything in its arena belongs to its tree.
void NmlNode::clearContents() {
  mChildren.clear();
  mAttributes.clear();
  if (mArena) {
    mArena->release();
  }
}

void NmlNode::removeMarked(const char* marker, bool omitMarkedNodes) {
  if (omitMarkedNodes) {
    mChildren.unlinkIf([marker](const NmlNode* child) { return child->countAttributes(marker) > 0; });
  } else {
    mAttributes.unlinkIf([marker](const NmlAttribute* line) { return sameText(line->key(), marker); });
  }
  for (ChildList::Iterator it(mChildren); !it.isEnd(); it.next()) {
    it.value()->removeMarked(marker, omitMarkedNodes);
  }
}

bool NmlNode::parse(const char* text, bool strict, const char* file) {
  if (file) {
    setSourceName(file);
  }
  NmlParser parser(strict, file ? file : "nml text");
  return parser.parse(*this, text ? text : "");
}

void NmlNode::setSourceName(const char* file) { arena().setSource(file); }

void NmlNode::toString(String& out, bool pretty) const { NmlWriter::write(*this, out, pretty); }

}  // namespace Game
