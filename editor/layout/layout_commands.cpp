#include "layout_commands.h"

#include "skin_document.h"
#include "step_names.h"

namespace corvela {

bool changePosition(SkinDocument& doc, int row, const std::array<QString, 4>& corners,
                    quint64 mergeKey) {
  return doc.perform(
      stepName(QStringLiteral("Posizione"), doc.L_Dim, row),
      [&] { setPosition(doc.records().rects, row, corners); }, mergeKey);
}

bool nudgeRectangle(SkinDocument& doc, int row, MoveDirection direction, QStringView offset) {
  return doc.perform(stepName(QStringLiteral("Posizione"), doc.L_Dim, row),
                     [&] { moveRectangle(doc.records().rects, row, direction, offset); });
}

bool moveTicked(SkinDocument& doc, const MoveTargets& ticked, MoveDirection direction,
                QStringView offset) {
  return doc.perform(QStringLiteral("Spostamento"),
                     [&] { moveRectangles(doc.records().rects, ticked, direction, offset); });
}

TransparencyEdit changeTransparency(SkinDocument& doc, int row, QStringView text,
                                    quint64 mergeKey) {
  TransparencyEdit edit;
  doc.perform(
      colourStepName(doc, row, QStringLiteral("Trasparenza")),
      [&] { edit = setTransparency(doc.records().colours, row, text); }, mergeKey);
  return edit;
}

bool changeHandLength(SkinDocument& doc, int node, Hand hand, QStringView text, quint64 mergeKey) {
  bool set = false;
  doc.perform(
      hand == Hand::Minute ? QStringLiteral("Lunghezza lancetta minuti")
                           : QStringLiteral("Lunghezza lancetta ore"),
      [&] { set = setHandLength(doc.records().tree, node, hand, text); }, mergeKey);
  return set;
}

bool changeHandColour(SkinDocument& doc, int row, std::int32_t colour) {
  return doc.perform(colourStepName(doc, row), [&] { setHandColour(doc, row, colour); });
}

}  // namespace corvela
