#pragma once

// XPath queries over HTML or XML bytes with libxml2, answering each matched node
// as a node dictionary: "nodeName", "nodeContent" (all descendant text),
// "nodeAttributeArray" (dictionaries of "attributeName" and the trimmed
// "nodeContent", or "attributeContent" for a non-text value), "nodeChildArray"
// and "raw" (the node's markup). The dictionaries never point into libxml2.

#include <libxml/tree.h>

#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/Data.h"
#include "platform/foundation/Value.h"

// Parses the bytes as HTML (errors and warnings silenced) and runs the query:
// the node dictionaries of the matches, or nullopt when the bytes do not parse
// or the query is not a valid node-set expression.
std::optional<foundation::Array> TFHppleHTMLQuery(const foundation::Data& data,
                                                  std::string_view query,
                                                  const std::optional<std::string>& encoding);

// The same over XML, parsed in recovery mode. Entities are never substituted
// and nothing is loaded from outside the bytes.
std::optional<foundation::Array> TFHppleXMLQuery(const foundation::Data& data,
                                                 std::string_view query,
                                                 const std::optional<std::string>& encoding);

// Runs the query over a parsed document: the node dictionaries of the node
// set, in document order, or nullopt when the query gives no node set.
std::optional<foundation::Array> TFHppleEvaluateXPath(xmlDocPtr document, std::string_view query);

// The node dictionary of one node. A text node below a parent is reduced to
// {"nodeName": "text", "nodeContent": its untrimmed text}; below an attribute
// (parentIsAttribute) it stores its trimmed text as the parent's "nodeContent"
// and answers nullopt. Texts that are not valid UTF-8 leave their key out.
// Nodes nested more than kMaximumNestingDepth below the first are left out
// (`depth` counts the levels already gone through).
std::optional<foundation::Value> TFHppleNodeDictionary(xmlNodePtr node, foundation::Value* parent,
                                                       bool parentIsAttribute, int depth = 0);
