#pragma once

#include <utility>

#include <QList>
#include <QString>

namespace vextal {

// One XML element of a stanza as the XMPP side hands it around: its name, its namespace, its
// attributes, the text directly inside it and its child elements. Stanzas are built and read in
// this form, so everything but the client itself works without libstrophe.
struct XmlElement {
  QString Name;
  QString Namespace;  // empty: the enclosing element's
  QList<std::pair<QString, QString>> Attributes;
  QString Text;
  QList<XmlElement> Children;

  XmlElement() = default;
  explicit XmlElement(QString name, QString ns = {})
      : Name(std::move(name)), Namespace(std::move(ns)) {}

  // The value of an attribute; empty when it is missing.
  QString Attribute(const QString& key) const {
    for (const auto& [name, value] : Attributes) {
      if (name == key) {
        return value;
      }
    }
    return {};
  }
  bool HasAttribute(const QString& key) const {
    for (const auto& attribute : Attributes) {
      if (attribute.first == key) {
        return true;
      }
    }
    return false;
  }
  XmlElement& Set(const QString& key, const QString& value) {
    for (auto& attribute : Attributes) {
      if (attribute.first == key) {
        attribute.second = value;
        return *this;
      }
    }
    Attributes.append({key, value});
    return *this;
  }
  // The first child of that name (and namespace, unless empty); null when there is none.
  const XmlElement* Child(const QString& name, const QString& ns = {}) const {
    for (const XmlElement& child : Children) {
      if (child.Name == name && (ns.isEmpty() || child.Namespace == ns)) {
        return &child;
      }
    }
    return nullptr;
  }
  XmlElement& Add(XmlElement child) {
    Children.append(std::move(child));
    return Children.last();
  }
};

}  // namespace vextal
