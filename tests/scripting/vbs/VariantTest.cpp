// A value keeps its text, array or object apart from its number: each subtype is made, copied,
// moved and replaced by another without keeping or losing what it owns.
#include <gtest/gtest.h>

#include "scripting/vbs/HostObject.h"
#include "scripting/vbs/Variant.h"

namespace kavro::vbs {
namespace {

Variant ArrayOf(std::vector<Variant> items) {
  auto data = std::make_unique<ArrayData>();
  data->upper = {static_cast<int32_t>(items.size()) - 1};
  data->items = std::move(items);
  return Variant::Array(std::move(data));
}

TEST(Variant, EachSubtypeReplacesAnotherAndCopiesOwnItsMemory) {
  Variant v = Variant::String("a text longer than the short-text buffer");
  v = Variant::Long(-7);
  EXPECT_EQ(v.Type(), VarType::Long);
  EXPECT_EQ(v.LongValue(), -7);
  EXPECT_EQ(v.StringValue(), "");  // a number reads as no text
  EXPECT_EQ(v.ArrayValue(), nullptr);
  EXPECT_EQ(v.ObjectValue(), nullptr);

  Variant list = ArrayOf({Variant::Integer(1), Variant::String("two")});
  Variant copy = list;  // arrays are values: the copy is a second array
  copy.ArrayValue()->items[1] = Variant::Double(2.5);
  EXPECT_EQ(list.ArrayValue()->items[1].StringValue(), "two");
  EXPECT_EQ(copy.ArrayValue()->items[1].DoubleValue(), 2.5);

  auto object = std::make_shared<HostObject>("thing");
  Variant held = Variant::Object(object);
  Variant other = held;
  EXPECT_EQ(object.use_count(), 3);
  other = Variant::Integer(1);
  held.Clear();
  EXPECT_EQ(object.use_count(), 1);
  EXPECT_TRUE(held.IsEmpty());

  Variant text = Variant::String("moved");
  Variant taken = std::move(text);
  EXPECT_EQ(taken.StringValue(), "moved");
  text = Variant::Double(1.5);  // a moved-from value takes a new one
  EXPECT_EQ(text.DoubleValue(), 1.5);
}

TEST(Variant, AVariableTakesAnElementOfItsOwnArray) {
  // v = v(0): the element lives inside the array the assignment replaces.
  Variant v = ArrayOf({ArrayOf({Variant::String("inner"), Variant::Integer(2)}), Variant()});
  v = v.ArrayValue()->items[0];
  ASSERT_TRUE(v.IsArray());
  EXPECT_EQ(v.ArrayValue()->items[0].StringValue(), "inner");

  Variant w = ArrayOf({Variant::String("element text, long enough to be on the heap"), Variant()});
  w = std::move(w.ArrayValue()->items[0]);
  EXPECT_EQ(w.StringValue(), "element text, long enough to be on the heap");
}

}  // namespace
}  // namespace kavro::vbs
