#include "scripting/vbs/Interpreter.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <ctime>
#include <new>

#include "scripting/vbs/Conversions.h"
#include "scripting/vbs/DateMath.h"

namespace kavro::vbs {
namespace {

constexpr int kMaxArrayNesting = 60;
// Work units between two reads of the clock: about a few microseconds of running.
constexpr uint64_t kTicksBetweenClockReads = 1024;

// Restores the caller's frame, line and call depth however a call ends.
struct CallGuard {
  Interpreter& it;
  Frame* savedFrame;
  int savedLine;
  int savedCost;
  ~CallGuard() {
    it.Enter(savedFrame);
    it.line = savedLine;
    it.callCost = savedCost;
    it.PopFrame();
  }
};

// An element passed to a ByRef parameter: passed as a copy, written back after the call if
// the array still has that element (the callee may have resized or replaced it).
struct WriteBack {
  Variant* arrayVar;
  size_t flatIndex;
  Variant* value;
};

}  // namespace

bool IsFatal(const ScriptError& e) {
  return e.Number() == err::TimeLimit;
}

double ScriptUi::Now() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  return CombineDateTime(SerialFromDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
                         SerialFromTime(local.tm_hour, local.tm_min, local.tm_sec));
}

Interpreter::Interpreter() = default;

Interpreter::~Interpreter() {
  ReleaseObjects();
}

void Interpreter::Adopt(const std::shared_ptr<HostObject>& object) {
  // Those gone are dropped whenever the list has doubled, so adopting stays cheap.
  if (madeObjects_.size() >= pruneAt_) {
    std::erase_if(madeObjects_,
                  [](const std::weak_ptr<HostObject>& made) { return made.expired(); });
    pruneAt_ = std::max<size_t>(64, 2 * madeObjects_.size());
  }
  madeObjects_.push_back(object);
}

void Interpreter::ReleaseObjects() {
  // Each lets go of what it holds before any goes, so those holding each other are freed.
  std::vector<std::shared_ptr<HostObject>> alive;
  for (const auto& made : madeObjects_) {
    if (auto object = made.lock()) alive.push_back(std::move(object));
  }
  madeObjects_.clear();
  for (const auto& object : alive) object->Release();
}

Variant* Interpreter::DeclareGlobal(const std::string& lowerName) {
  auto found = globals.find(lowerName);
  if (found != globals.end() && found->second.kind == GlobalName::Variable)
    return found->second.var;
  globalStorage.emplace_back();
  ++bindingsVersion;
  GlobalName g;
  g.kind = GlobalName::Variable;
  g.var = &globalStorage.back();
  globals[lowerName] = std::move(g);
  return &globalStorage.back();
}

const GlobalName* Interpreter::FindGlobal(const std::string& lowerName) const {
  auto found = globals.find(lowerName);
  return found == globals.end() ? nullptr : &found->second;
}

[[gnu::hot]] Frame& Interpreter::PushFrame(size_t slotCount) {
  if (frameDepth_ == framePool_.size()) framePool_.push_back(std::make_unique<Frame>());
  Frame& f = *framePool_[frameDepth_++];
  // A pooled frame mostly serves the same procedure again (recursion, a loop's calls): its
  // vectors keep their size and only the slots ByRef arguments pointed elsewhere are reset.
  if (f.values.size() != slotCount || f.redirected) {
    f.values.resize(slotCount);
    f.slots.resize(slotCount);
    Variant* values = f.values.data();
    Variant** slots = f.slots.data();
    for (size_t i = 0; i < slotCount; ++i) slots[i] = values + i;
    f.redirected = false;
  }
  f.resumeNext = false;
  return f;
}

[[gnu::hot]] void Interpreter::PopFrame() {
  Frame& f = *framePool_[--frameDepth_];
  // A cleared variable gives its memory back (frames are reused and would keep it).
  for (auto& v : f.values) v.Clear();
}

void Interpreter::StartClock() {
  ticks_ = 0;
  nextCheck_ = kTicksBetweenClockReads;
  // A run that begins past the budget looks first whether the last one made room.
  if (overBudget_) {
    overBudget_ = HeldBytes() > limits.memoryBudget;
    pendingBytes_ = 0;
  }
  recountBytes_ = RecountInterval();
  if (timeLimitMs > 0) {
    deadline_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeLimitMs);
  }
}

void Interpreter::CheckDeadline() {
  nextCheck_ = ticks_ + kTicksBetweenClockReads;
  if (std::chrono::steady_clock::now() >= deadline_) Raise(err::TimeLimit);
}

size_t Interpreter::Footprint(const Variant& value) {
  size_t bytes = sizeof(Variant);
  if (value.IsString()) bytes += value.StringValue().capacity();
  if (value.IsArray()) {
    const ArrayData& a = *value.ArrayValue();
    bytes += sizeof(ArrayData) + (a.items.capacity() - a.items.size()) * sizeof(Variant);
    for (const Variant& item : a.items) bytes += Footprint(item);
  }
  return bytes;
}

size_t Interpreter::HeldBytes() const {
  size_t bytes = 0;
  // Objects made for the script count wherever they are held, even when only by each other.
  for (const auto& made : madeObjects_) {
    if (auto object = made.lock()) bytes += object->HeldBytes();
  }
  for (const Variant& v : globalStorage) bytes += Footprint(v);
  for (size_t i = 0; i < frameDepth_; ++i) {
    for (const Variant& v : framePool_[i]->values) bytes += Footprint(v);
  }
  return bytes;
}

size_t Interpreter::RecountInterval() const {
  // Counting often enough that a small budget is kept closely, rarely enough that counting a
  // large set of values stays a small part of the work; past the budget, often enough that
  // room the script makes is soon found.
  const size_t interval = std::clamp<size_t>(limits.memoryBudget / 16, 64u << 10, 8u << 20);
  return overBudget_ ? interval / 8 : interval;
}

void Interpreter::Recount(size_t incoming) {
  pendingBytes_ = 0;
  const size_t held = HeldBytes();
  // Only what is held already closes the door on every new value; a value refused for its own
  // size leaves the script free to build the small ones it needs to go on.
  overBudget_ = held > limits.memoryBudget;
  recountBytes_ = RecountInterval();
  if (held + incoming > limits.memoryBudget) Raise(err::OutOfMemory);
}

void Interpreter::Raise(int number) const {
  throw ScriptError(number, ErrorDescription(number), line);
}

void Interpreter::SetErr(const ScriptError& e) {
  errObject->Take(e);
}

void Interpreter::CheckString(const Variant& value) const {
  if (value.IsString() && value.StringValue().size() > limits.maxStringLength) {
    Raise(err::OutOfStringSpace);
  }
}

void Interpreter::RunProgram(const Program& program) {
  Frame& top = PushFrame(0);
  CallGuard guard{*this, frame, line, callCost};
  Enter(&top);
  try {
    ExecBlock(program.topLevel);
  } catch (ScriptError& e) {
    if (e.Line() == 0) e.SetLine(line);
    throw;
  }
}

[[gnu::hot]] Flow Interpreter::ExecStatements(const Block& block) {
  for (const auto& stmt : block) {
    if (const Flow flow = ExecStatement(*stmt); flow != Flow::Normal) return flow;
  }
  return Flow::Normal;
}

void Interpreter::StatementFailed() {
  try {
    throw;
  } catch (const ScriptError& e) {
    if (!frame->resumeNext || IsFatal(e)) throw;
    SetErr(e);
  } catch (...) {
    // The system refused memory, or a fault of the program: a run-time error of this
    // statement like any other.
    const ScriptError e = CaughtScriptError(line);
    if (!frame->resumeNext) throw e;
    SetErr(e);
  }
}

namespace {

// Where a ByRef argument lives, or nullptr when it is a value.
Variant* VariableOf(Interpreter& it, const Expr& arg) {
  if (arg.kind == ExprKind::Local) return it.slots[static_cast<const LocalExpr&>(arg).slot];
  if (arg.kind == ExprKind::Global) return static_cast<const GlobalExpr&>(arg).var;
  return nullptr;
}

Variant* BaseVariable(Interpreter& it, const IndexExpr& index) {
  return VariableOf(it, *index.base);
}

// An element of an array variable, passed by reference; d(key) of an object is a value.
bool IsArrayElement(Interpreter& it, const Expr& arg) {
  return arg.kind == ExprKind::Index &&
         BaseVariable(it, static_cast<const IndexExpr&>(arg))->IsArray();
}

}  // namespace

[[gnu::hot]] Variant Interpreter::CallProcedure(const Procedure& proc, const ExprList& args) {
  Tick();
  if (callCost + proc.callCost > limits.maxCallDepth) Raise(err::OutOfStackSpace);
  Frame& callee = PushFrame(static_cast<size_t>(proc.slotCount));
  CallGuard guard{*this, frame, line, callCost};
  std::vector<WriteBack> writeBacks;
  for (size_t i = 0; i < args.size(); ++i) {
    const Expr& arg = *args[i];
    const size_t slot = i + 1;
    if (proc.params[i].byRef) {
      if (Variant* var = VariableOf(*this, arg)) {
        callee.slots[slot] = var;
        callee.redirected = true;
        continue;
      }
      if (IsArrayElement(*this, arg)) {
        const auto& index = static_cast<const IndexExpr&>(arg);
        Variant* base = BaseVariable(*this, index);
        Variant& element = Element(*base, index.args);
        const size_t flat = static_cast<size_t>(&element - base->ArrayValue()->items.data());
        callee.values[slot] = element;
        writeBacks.push_back({base, flat, &callee.values[slot]});
        continue;
      }
    }
    Variant& value = callee.values[slot];
    // A number (n - 1) straight into the parameter: nothing to copy, check or count.
    if (Unboxed u; arg.numeric && NumericValue(*this, arg, u)) {
      value = Boxed(u);
      continue;
    }
    if (const Variant& computed = OperandValue(*this, arg, value); &computed != &value) {
      value = computed;
    }
    ChargeValue(value);
  }
  Enter(&callee);
  callCost += proc.callCost;
  try {
    ExecBlock(proc.body);
  } catch (ScriptError& e) {
    if (e.Line() == 0) e.SetLine(line);
    throw;
  }
  for (const WriteBack& w : writeBacks) {
    ArrayData* a = w.arrayVar->IsArray() ? w.arrayVar->ArrayValue() : nullptr;
    if (a && w.flatIndex < a->items.size()) a->items[w.flatIndex] = std::move(*w.value);
  }
  return std::move(callee.values[0]);
}

Variant Interpreter::CallHost(const HostMember& member, const ExprList& args) {
  constexpr size_t kInline = 8;
  const size_t n = args.size();
  std::array<Variant, kInline> inlineTemps;
  std::vector<Variant> moreTemps(n > kInline ? n : 0);
  std::array<Variant*, kInline> inlinePtrs{};
  std::vector<Variant*> morePtrs(n > kInline ? n : 0);
  Variant* const* ptrs = n > kInline ? morePtrs.data() : inlinePtrs.data();
  Variant** writable = n > kInline ? morePtrs.data() : inlinePtrs.data();
  std::vector<WriteBack> writeBacks;
  for (size_t i = 0; i < n; ++i) {
    Variant& temp = n > kInline ? moreTemps[i] : inlineTemps[i];
    const Expr& arg = *args[i];
    if (Variant* var = VariableOf(*this, arg)) {
      writable[i] = var;
      continue;
    }
    if (IsArrayElement(*this, arg)) {
      const auto& index = static_cast<const IndexExpr&>(arg);
      Variant* base = BaseVariable(*this, index);
      Variant& element = Element(*base, index.args);
      temp = element;
      writeBacks.push_back(
          {base, static_cast<size_t>(&element - base->ArrayValue()->items.data()), &temp});
    } else {
      temp = arg.Eval(*this);
    }
    writable[i] = &temp;
  }
  Variant result;
  try {
    result = member.call(HostArgs(ptrs, n));
  } catch (...) {
    throw CaughtScriptError(line);
  }
  for (const WriteBack& w : writeBacks) {
    ArrayData* a = w.arrayVar->IsArray() ? w.arrayVar->ArrayValue() : nullptr;
    if (a && w.flatIndex < a->items.size()) a->items[w.flatIndex] = std::move(*w.value);
  }
  // Variables a host changed must still respect the limits.
  for (size_t i = 0; i < n; ++i) CheckString(*ptrs[i]);
  CheckString(result);
  ChargeValue(result);
  return result;
}

const HostMember& Interpreter::MemberOf(const Variant& object, const std::string& name) const {
  if (!object.IsObject()) Raise(err::ObjectRequired);
  if (!object.ObjectValue()) Raise(91);
  const HostMember* member = object.ObjectValue()->Find(name);
  if (!member) throw ScriptError::AboutName(err::NoSuchMember, name, line);
  return *member;
}

// Each call below holds the object while its member runs, whatever the arguments do to the
// variable that held it.

Variant Interpreter::CallMember(const Variant& object, const std::string& name,
                                const ExprList& args) {
  const HostMember& member = MemberOf(object, name);
  const std::shared_ptr<HostObject> keep = object.ObjectValue();
  return CallHost(member, args);
}

void Interpreter::SetMember(const HostMember& member, const ExprList& args, const Variant& value) {
  if (!member.put) throw ScriptError::AboutName(err::NoSuchMember, member.name, line);
  std::vector<Variant> values;
  values.reserve(args.size());
  for (const auto& arg : args) values.push_back(arg->Eval(*this));
  std::vector<Variant*> pointers;
  for (Variant& v : values) pointers.push_back(&v);
  CheckString(value);
  ChargeValue(value);
  try {
    member.put(HostArgs(pointers.data(), pointers.size()), value);
  } catch (...) {
    throw CaughtScriptError(line);
  }
}

void Interpreter::AssignMember(const Variant& object, const std::string& name, const ExprList& args,
                               const Variant& value) {
  const HostMember& member = MemberOf(object, name);
  const std::shared_ptr<HostObject> keep = object.ObjectValue();
  SetMember(member, args, value);
}

namespace {

// The default member of an object: what object(args) calls. An object without one does not
// take arguments (438); a variable that holds no object nor array cannot be indexed (13).
const HostMember& DefaultMemberOf(const Variant& object) {
  if (!object.IsObject()) throw ScriptError(err::TypeMismatch);
  if (!object.ObjectValue()) throw ScriptError(91);
  const HostMember* member = object.ObjectValue()->DefaultMember();
  if (!member) throw ScriptError(err::NoSuchMember);
  return *member;
}

}  // namespace

Variant Interpreter::CallDefault(const Variant& object, const ExprList& args) {
  const HostMember& member = DefaultMemberOf(object);
  const std::shared_ptr<HostObject> keep = object.ObjectValue();
  return CallHost(member, args);
}

void Interpreter::AssignDefault(const Variant& object, const ExprList& args, const Variant& value) {
  const HostMember& member = DefaultMemberOf(object);
  const std::shared_ptr<HostObject> keep = object.ObjectValue();
  SetMember(member, args, value);
}

Variant& Interpreter::Element(Variant& arrayVar, const ExprList& args) {
  if (args.size() == 1) {
    // One dimension, the usual case.
    Variant scratch;
    const Variant& v = OperandValue(*this, *args[0], scratch);
    if (v.IsNull()) Raise(err::InvalidUseOfNull);
    const int32_t i = v.Type() == VarType::Integer ? v.IntegerValue()
                      : v.Type() == VarType::Long  ? v.LongValue()
                                                   : ToLong(v);
    if (!arrayVar.IsArray()) Raise(err::TypeMismatch);
    ArrayData& a = *arrayVar.ArrayValue();
    if (a.upper.size() != 1) Raise(err::SubscriptOutOfRange);
    if (i < 0 || i > a.upper[0]) Raise(err::SubscriptOutOfRange);
    return a.items[static_cast<size_t>(i)];
  }
  constexpr size_t kMaxDims = 60;
  std::array<int32_t, kMaxDims> index;
  if (args.size() > kMaxDims) Raise(err::SubscriptOutOfRange);
  for (size_t i = 0; i < args.size(); ++i) {
    Variant scratch;
    const Variant& v = args[i]->EvalRef(*this, scratch);
    if (v.IsNull()) Raise(err::InvalidUseOfNull);
    index[i] = ToLong(v);
  }
  if (!arrayVar.IsArray()) Raise(err::TypeMismatch);
  ArrayData& a = *arrayVar.ArrayValue();
  if (args.size() != a.upper.size()) Raise(err::SubscriptOutOfRange);
  size_t flat = 0, stride = 1;
  for (size_t i = 0; i < args.size(); ++i) {
    if (index[i] < 0 || index[i] > a.upper[i]) Raise(err::SubscriptOutOfRange);
    flat += static_cast<size_t>(index[i]) * stride;
    stride *= static_cast<size_t>(a.upper[i]) + 1;
  }
  return a.items[flat];
}

void Interpreter::StoreElement(Variant& arrayVar, const ExprList& args, Variant value) {
  CheckString(value);
  ChargeValue(value);
  if (value.IsArray()) {
    // Arrays inside arrays: bounded depth and total size, so copies and frees stay bounded.
    const ArrayData& inner = *value.ArrayValue();
    Variant& element = Element(arrayVar, args);
    ArrayData& outer = *arrayVar.ArrayValue();
    if (inner.nesting + 1 > kMaxArrayNesting) Raise(err::OutOfMemory);
    if (outer.weight + inner.weight > limits.maxArrayElements) Raise(err::OutOfMemory);
    outer.nesting = std::max(outer.nesting, inner.nesting + 1);
    outer.weight += inner.weight;
    element = std::move(value);
    return;
  }
  if (value.IsObject() && !value.ObjectValue()) {
    Element(arrayVar, args) = std::move(value);
    return;
  }
  Element(arrayVar, args) = std::move(value);
}

void Interpreter::Assign(Variant& target, Variant value, bool isSet) {
  if (isSet) {
    if (!value.IsObject()) Raise(err::ObjectRequired);
  } else if (value.IsObject()) {
    Variant plain;
    if (&PlainValue(value, plain) == &value) Raise(value.ObjectValue() ? err::NoSuchMember : 91);
    value = std::move(plain);
  }
  CheckString(value);
  ChargeValue(value);
  target = std::move(value);
}

void Interpreter::AllocateArray(Variant& target, const ExprList& bounds, bool preserve,
                                bool fixedSize) {
  if (target.IsArray() && target.ArrayValue()->fixedSize) Raise(err::ArrayFixed);
  std::vector<int32_t> upper;
  size_t count = 1;
  for (const auto& b : bounds) {
    Variant scratch;
    const Variant& v = b->EvalRef(*this, scratch);
    if (v.IsNull()) Raise(err::InvalidUseOfNull);
    const int32_t u = ToLong(v);
    if (u < -1) Raise(err::SubscriptOutOfRange);
    upper.push_back(u);
    const size_t extent = static_cast<size_t>(u + 1);
    if (extent != 0 && count > limits.maxArrayElements / extent) Raise(err::OutOfMemory);
    count *= extent;
  }
  if (bounds.size() > 60 || count > limits.maxArrayElements) Raise(err::OutOfMemory);
  if (bounds.empty()) count = 0;
  Charge(count * sizeof(Variant));
  if (preserve && target.IsArray()) {
    ArrayData& old = *target.ArrayValue();
    if (!old.upper.empty()) {
      // Only the last dimension may change: the others keep their element positions.
      if (old.upper.size() != upper.size()) Raise(err::SubscriptOutOfRange);
      for (size_t i = 0; i + 1 < upper.size(); ++i) {
        if (old.upper[i] != upper[i]) Raise(err::SubscriptOutOfRange);
      }
    }
    old.items.resize(count);
    old.upper = std::move(upper);
    old.weight = std::max(old.weight, count);
    return;
  }
  auto data = std::make_unique<ArrayData>();
  data->items.resize(count);
  data->upper = std::move(upper);
  data->fixedSize = fixedSize;
  data->weight = count;
  target = Variant::Array(std::move(data));
}

double Interpreter::Now() {
  if (ui) return ui->Now();
  struct SystemClock : ScriptUi {
    int MsgBox(const std::string&, int, const std::string&) override { return 1; }
    std::string InputBox(const std::string&, const std::string&, const std::string&) override {
      return {};
    }
  } clock;
  return clock.Now();
}

int Interpreter::CurrentYear() {
  return PartsFromSerial(Now()).year;
}

namespace {

// The language's generator: a 24-bit linear congruential sequence.
uint32_t NextSeed(uint32_t seed) {
  return (seed * 1140671485u + 12820163u) & 0xFFFFFFu;
}

}  // namespace

float Interpreter::NextRandom(const Variant* arg) {
  if (arg && !arg->IsEmpty()) {
    const double x = ToDouble(*arg);
    // The last value again: the seed the next value comes from, which before any value is the
    // one the sequence starts with.
    if (x == 0) return static_cast<float>(rndSeed_) / 16777216.0f;
    if (x < 0) {
      const float f = static_cast<float>(x);
      uint32_t bits;
      std::memcpy(&bits, &f, sizeof bits);
      rndSeed_ = (bits + (bits >> 24)) & 0xFFFFFF;
    }
  }
  rndSeed_ = NextSeed(rndSeed_);
  return static_cast<float>(rndSeed_) / 16777216.0f;
}

void Interpreter::Randomize(const Variant* seed) {
  double value;
  if (seed && !seed->IsEmpty()) {
    value = ToDouble(*seed);
  } else {
    value = static_cast<double>(std::chrono::steady_clock::now().time_since_epoch().count() %
                                86400000) /
            1000.0;
  }
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const uint32_t mixed = static_cast<uint32_t>((bits >> 32) ^ bits);
  rndSeed_ = (rndSeed_ & 0xFF) | (((mixed >> 8) ^ mixed) & 0xFFFF00u);
  rndSeed_ &= 0xFFFFFFu;
}

}  // namespace kavro::vbs
