#include <QRegularExpression>
#include <cstdlib>
#include <optional>

#include "cli_common.h"
#include "clock_edits.h"
#include "colour_codec.h"
#include "edit_command.h"
#include "layout_commands.h"
#include "number_keys.h"
#include "position_edits.h"
#include "skin_document.h"
#include "skin_line.h"
#include "text_number.h"

namespace corvela::cli {

namespace {

using Error = std::optional<QString>;

// "KEY=VALUE" taken apart at the first "=".
struct KeyValue {
  QString key;
  QStringList values;  // the value split at commas
};

// "KEY=V1,V2..." with exactly `count` values; otherwise the form wanted.
Error splitOperation(const QString& operation, qsizetype count, const char* form, KeyValue& out) {
  const qsizetype eq = operation.indexOf(u'=');
  if (eq > 0) out = KeyValue{operation.left(eq), operation.mid(eq + 1).split(u',')};
  if (eq <= 0 || out.values.size() != count) return QStringLiteral("atteso %1").arg(form);
  return std::nullopt;
}

// A value as a number box would hold it once typed: 1 to 3 digits.
bool isBoxNumber(const QString& v) {
  static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
  return v.size() <= kNumberBoxLimit && digits.match(v).hasMatch();
}

Error notBoxNumber(const QString& v) {
  return QStringLiteral("\"%1\" non è un numero da 0 a 999").arg(v);
}

// A record id as given ("570" or "0570") in the lists' four-digit form.
std::optional<QString> recordCode(const QString& code) {
  static const QRegularExpression digits(QStringLiteral("^[0-9]{1,4}$"));
  if (!digits.match(code).hasMatch()) return std::nullopt;
  return padNumber(numericValue(code), 4);
}

QString knownPositions() {
  QStringList codes;
  for (const standby::PositionRecord& p : standby::kPositions) codes << standby::text(p.code);
  return codes.join(QStringLiteral(", "));
}

// The rectangle row of one of the twelve positions, as the window binds it.
std::optional<QString> positionCode(const QString& given, QString* error) {
  const std::optional<QString> code = recordCode(given);
  if (!code || !standby::targetOfCode(*code)) {
    *error = QStringLiteral("posizione sconosciuta: %1 (note: %2)").arg(given, knownPositions());
    return std::nullopt;
  }
  return code;
}

int positionRow(const SkinDocument& doc, const QString& code, QString* error) {
  const int row = doc.L_Dim.findId(code);
  if (row < 0) *error = QStringLiteral("la skin non ha la posizione %1").arg(code);
  return row;
}

Error handOf(const QString& name, Hand& hand) {
  if (name != QStringLiteral("minute") && name != QStringLiteral("hour")) {
    return QStringLiteral("lancetta sconosciuta: %1 (minute o hour)").arg(name);
  }
  hand = name == QStringLiteral("minute") ? Hand::Minute : Hand::Hour;
  return std::nullopt;
}

Error rectOperation(SkinDocument& doc, const QString& value) {
  KeyValue kv;
  if (Error e = splitOperation(value, 4, "CODICE=X1,Y1,X2,Y2", kv)) return e;
  QString error;
  const std::optional<QString> code = positionCode(kv.key, &error);
  if (!code) return error;
  std::array<QString, 4> corners;
  for (size_t i = 0; i < corners.size(); ++i) {
    corners[i] = kv.values[static_cast<qsizetype>(i)];
    if (!isBoxNumber(corners[i])) return notBoxNumber(corners[i]);
  }
  const int row = positionRow(doc, *code, &error);
  if (row < 0) return error;
  changePosition(doc, row, corners);
  return std::nullopt;
}

Error transparencyOperation(SkinDocument& doc, const QString& value) {
  KeyValue kv;
  if (Error e = splitOperation(value, 1, "ID=V", kv)) return e;
  // "-" is the first colour row without an id, as the lists find it.
  const std::optional<QString> id = recordId(kv.key);
  if (!id) return QStringLiteral("id di colore non valido: %1").arg(kv.key);
  if (!isBoxNumber(kv.values[0])) return notBoxNumber(kv.values[0]);
  const int row = doc.L_RGBA.findId(*id);
  if (row < 0) return QStringLiteral("la skin non ha il colore %1").arg(*id);
  changeTransparency(doc, row, kv.values[0]);
  return std::nullopt;
}

// A signed whole offset: "-3", "12".
std::optional<int> offsetValue(const QString& v) {
  static const QRegularExpression number(QStringLiteral("^-?[0-9]{1,3}$"));
  if (!number.match(v).hasMatch()) return std::nullopt;
  return v.toInt();
}

Error moveOperation(SkinDocument& doc, const QString& value) {
  KeyValue kv;
  if (Error e = splitOperation(value, 2, "CODICE[,CODICE...]=DX,DY", kv)) return e;
  const QStringList& offsets = kv.values;
  MoveTargets ticked{};
  for (const QString& given : kv.key.split(u',')) {
    QString error;
    const std::optional<QString> code = positionCode(given, &error);
    if (!code) return error;
    if (positionRow(doc, *code, &error) < 0) return error;
    ticked[static_cast<size_t>(*standby::targetOfCode(*code))] = true;
  }
  const std::optional<int> dx = offsetValue(offsets[0]);
  const std::optional<int> dy = offsetValue(offsets[1]);
  for (const auto& [given, parsed] : {std::pair{offsets[0], dx}, std::pair{offsets[1], dy}}) {
    if (!parsed) return QStringLiteral("\"%1\" non è uno spostamento da -999 a 999").arg(given);
  }
  // One press of the arrow the sign points to; an axis without movement
  // presses nothing.
  if (*dx != 0) {
    moveTicked(doc, ticked, *dx < 0 ? MoveDirection::Left : MoveDirection::Right,
               QString::number(std::abs(*dx)));
  }
  if (*dy != 0) {
    moveTicked(doc, ticked, *dy < 0 ? MoveDirection::Up : MoveDirection::Down,
               QString::number(std::abs(*dy)));
  }
  return std::nullopt;
}

Error handLengthOperation(SkinDocument& doc, const QString& value) {
  KeyValue kv;
  Hand hand{};
  if (Error e = splitOperation(value, 1, "minute|hour=N", kv)) return e;
  if (Error e = handOf(kv.key, hand)) return e;
  if (!isBoxNumber(kv.values[0])) return notBoxNumber(kv.values[0]);
  const int node = handLengthNode(doc.T_Strutt, hand);
  if (node == 0) {
    return QStringLiteral("la skin non ha la riga \"%1\" della lunghezza")
        .arg(handLengthPrefix(hand).trimmed());
  }
  changeHandLength(doc, node, hand, kv.values[0]);
  return std::nullopt;
}

Error handColourOperation(SkinDocument& doc, const QString& value) {
  KeyValue kv;
  Hand hand{};
  if (Error e = splitOperation(value, 3, "minute|hour=R,G,B", kv)) return e;
  if (Error e = handOf(kv.key, hand)) return e;
  std::array<int, 3> rgb{};
  for (size_t i = 0; i < rgb.size(); ++i) {
    const QString& v = kv.values[static_cast<qsizetype>(i)];
    if (!isBoxNumber(v) || v.toInt() > 255) {
      return QStringLiteral("\"%1\" non è una componente da 0 a 255").arg(v);
    }
    rgb[i] = v.toInt();
  }
  const QString code = standby::text(handColour(hand).code);
  const int row = doc.L_RGBA.findId(code);
  if (row < 0) return QStringLiteral("la skin non ha il colore %1").arg(code);
  changeHandColour(doc, row, colourValue(rgb[0], rgb[1], rgb[2]));
  return std::nullopt;
}

EditOption option(const char* name, const char* hint, const char* help,
                  Error (*apply)(SkinDocument&, const QString&)) {
  return EditOption{QString::fromUtf8(name), EditOption::Value::Required, QString::fromUtf8(hint),
                    QString::fromUtf8(help),
                    [apply](SkinDocument& doc, const QString& value, const EditContext&) {
                      return apply(doc, value);
                    }};
}

}  // namespace

// The position, move and clock edits of the "Preview skin" tab.
std::vector<EditOption> layoutEditOptions() {
  return {
      option("--rect", "CODICE=X1,Y1,X2,Y2",
             "scrive i quattro campi di una posizione, come digitati (0570, 0006...)",
             rectOperation),
      option("--transparency", "ID=V",
             "trasparenza di un colore, come digitata (oltre 255 diventa 255)",
             transparencyOperation),
      option("--move", "CODICE[,CODICE...]=DX,DY",
             "sposta le posizioni come le frecce di \"Move Tools:\": prima in orizzontale poi in "
             "verticale, un asse a 0 non si sposta",
             moveOperation),
      option("--hand-length", "minute|hour=N", "lunghezza in pixel di una lancetta",
             handLengthOperation),
      option("--hand-colour", "minute|hour=R,G,B", "colore di una lancetta", handColourOperation),
  };
}

}  // namespace corvela::cli
