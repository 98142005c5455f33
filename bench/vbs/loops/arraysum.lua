-- An array filled once and summed over and over, as a script averages a window of samples.
local function sumOfSamples(size, passes)
  local samples = {}
  for i = 0, size - 1 do
    samples[i + 1] = (i % 100) * 0.25
  end
  local total = 0
  for pass = 1, passes do
    for i = 1, #samples do
      total = total + samples[i]
    end
  end
  return total
end

if sumOfSamples(10000, 3000) ~= 371250000 then os.exit(1) end
