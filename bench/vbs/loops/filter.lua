-- Double arithmetic accumulated over a loop, as a script filters a signal and sums its energy.
local function filter(count)
  local y, energy, gain = 0, 0, 0.125
  for i = 1, count do
    local x = (i % 100) * 0.01
    y = y + (x - y) * gain
    energy = energy + y * y
  end
  return energy
end

if math.abs(filter(10000000) - 2966162.88332373) > 0.001 then os.exit(1) end
