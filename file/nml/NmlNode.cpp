#include "file/nml/NmlNode.h"

#include <cstdio>
#include <cstring>

#include "Engine/Base/Assert.h"
#include "core/config/Config.h"
#include "file/nml/NmlParser.h"
#include "file/nml/NmlWriter.h"

namespace Game {

using Engine::i32;

namespace {

bool sameText(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

}  // namespace

NmlNode::NmlNode() = default;

const char* NmlNode::name() const {
  if (!mParent) {
    return "root";
  }
  return mName.c_str() ? mName.c_str() : "";
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

// A pooled node may be one that was unlinked earlier: every member is set.
NmlNode* NmlNode::addChildNamed(const char* name) {
  NmlNode* child = mChildren.add();
  child->detachSubtree();
  child->mName.assign(name);
  child->mParent = this;
  child->mRoot = mRoot;
  return child;
}

NmlNode* NmlNode::addChild(const char* name) { return addChildNamed(name ? name : ""); }

NmlAttribute* NmlNode::addAttribute(const char* key) {
  NmlAttribute* line = mAttributes.add();
  line->assign(key);
  return line;
}

NmlAttribute* NmlNode::addAttribute(const char* key, const char* text) {
  NmlAttribute* line = mAttributes.add();
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

void NmlNode::detachSubtree() {
  mChildren.clear();
  mAttributes.clear();
  mName.release();
}

void NmlNode::clearContents() {
  mChildren.clear();
  mAttributes.clear();
}

void NmlNode::removeRemovable(const char* marker) {
  removeMarked(marker, Config::instance().setting(Config::kOmit).value() != 0);
}

void NmlNode::removeMarked(const char* marker, bool omitMarkedNodes) {
  if (omitMarkedNodes) {
    for (ChildList::Iterator it(mChildren); !it.isEnd();) {
      NmlNode* child = it.value();
      it.next();  // an unlinked node keeps its links, but step past it first
      if (child->countAttributes(marker) > 0) {
        mChildren.remove(child);
        child->detachSubtree();
      }
    }
  } else {
    for (AttributeList::Iterator it(mAttributes); !it.isEnd();) {
      NmlAttribute* line = it.value();
      it.next();
      if (sameText(line->key(), marker)) {
        mAttributes.remove(line);
      }
    }
  }
  for (ChildList::Iterator it(mChildren); !it.isEnd(); it.next()) {
    it.value()->removeMarked(marker, omitMarkedNodes);
  }
}

bool NmlNode::parse(const char* text, bool strict) { return parseNamed(text, strict, "nml text"); }

bool NmlNode::parseNamed(const char* text, bool strict, const char* sourceName) {
  NmlParser parser(strict, sourceName);
  return parser.parse(*this, text ? text : "");
}

void NmlNode::toString(String& out, bool pretty) const { NmlWriter::write(*this, out, pretty); }

}  // namespace Game
